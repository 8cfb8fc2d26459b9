// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/qt/metricsserver.h"

#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace ui {

namespace {
const char* const kAnswered = "bramblies_answered";
}

MetricsServer::MetricsServer(std::function<std::string()> exposition, QObject* parent)
    : QObject(parent), m_exposition(std::move(exposition)) {
    connect(&m_server, &QTcpServer::newConnection, this, &MetricsServer::accept);
}

bool MetricsServer::listen(const QHostAddress& address, quint16 port) {
    return m_server.listen(address, port);
}

void MetricsServer::accept() {
    while (QTcpSocket* s = m_server.nextPendingConnection()) {
        connect(s, &QAbstractSocket::disconnected, s, &QObject::deleteLater);
        makeRoom();
        m_readers.emplace_back(s);
        s->setReadBufferSize(kMaxRequestBytes + 1);
        auto* deadline = new QTimer(s);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, s, &QAbstractSocket::abort);
        deadline->start(kRequestDeadlineMs);
        connect(s, &QTcpSocket::readyRead, this, [this, s] { readRequest(s); });
        if (s->bytesAvailable() > 0) readRequest(s);
    }
}

void MetricsServer::makeRoom() {
    std::erase_if(m_readers, [](const QPointer<QTcpSocket>& s) {
        return !s || s->state() == QAbstractSocket::UnconnectedState;
    });
    while (m_readers.size() >= static_cast<std::size_t>(kMaxReaders)) {
        auto victim = std::find_if(m_readers.begin(), m_readers.end(),
                                   [](const auto& s) { return s->property(kAnswered).toBool(); });
        if (victim == m_readers.end()) victim = m_readers.begin();
        QPointer<QTcpSocket> s = *victim;
        m_readers.erase(victim);
        s->abort();
    }
}

void MetricsServer::readRequest(QTcpSocket* s) {
    if (s->property(kAnswered).toBool()) {
        s->readAll(); // nothing more is read after the one request
        return;
    }
    const QByteArray head = s->peek(kMaxRequestBytes + 1);
    const qsizetype end = head.indexOf("\r\n\r\n");
    if (end < 0) {
        if (head.size() > kMaxRequestBytes)
            answer(s, "431 Request Header Fields Too Large", "request too large\n");
        return;
    }
    s->read(end + 4);
    const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
    if (words.size() != 3 || !words[2].startsWith("HTTP/1.")) {
        answer(s, "400 Bad Request", "bad request\n");
        return;
    }
    const QByteArray& method = words[0];
    QByteArray path = words[1];
    if (const qsizetype query = path.indexOf('?'); query >= 0) path.truncate(query);
    if (path != "/metrics") {
        answer(s, "404 Not Found", "not found; the metrics are at /metrics\n");
    } else if (method != "GET" && method != "HEAD") {
        answer(s, "405 Method Not Allowed", "GET or HEAD\n");
    } else {
        const std::string text = m_exposition();
        answer(s, "200 OK", QByteArray(text.data(), static_cast<qsizetype>(text.size())),
               method == "GET");
    }
}

void MetricsServer::answer(QTcpSocket* s, const QByteArray& status, const QByteArray& body,
                           bool withBody) {
    s->setProperty(kAnswered, true);
    QByteArray reply = "HTTP/1.1 " + status + "\r\n";
    if (status.startsWith("200"))
        reply += "Content-Type: text/plain; version=0.0.4; charset=utf-8\r\n";
    else
        reply += "Content-Type: text/plain; charset=utf-8\r\n";
    if (status.startsWith("405")) reply += "Allow: GET, HEAD\r\n";
    reply += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n";
    if (withBody) reply += body;
    s->write(reply);
    // The reader gets a minute to take it all; the game never waits for it.
    if (auto* deadline = s->findChild<QTimer*>()) deadline->start(kAnswerDeadlineMs);
    s->disconnectFromHost();
}

} // namespace ui
