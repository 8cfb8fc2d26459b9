// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/gamerunner.h"

#include "lobby/gamelaunch.h"
#include "net/protocol.h"

#include <QTcpSocket>

namespace lobby {

GameRunner::GameRunner(QString program, QObject* parent)
    : QObject(parent), m_program(std::move(program)), m_companionPort(core::kCompanionPort) {
    connect(&m_server, &QTcpServer::newConnection, this, [this] { acceptCompanion(); });
    connect(&m_game, &QProcess::finished, this, [this] { ended(); });
    connect(&m_game, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        emit status(QStringLiteral("Could not start ") + m_program);
        ended();
    });
}

GameRunner::~GameRunner() {
    // A running game goes with the lobby (QProcess ends it); nobody is left to hear it end.
    m_game.disconnect(this);
    // Companion sockets die with the server, after the readers they would report to.
    for (const auto& [socket, reader] : m_readers)
        socket->disconnect(this);
}

void GameRunner::start(const std::vector<std::string>& arguments, int hostingPort) {
    QStringList args;
    for (const std::string& a : arguments)
        args << QString::fromStdString(a);
    // The game reaches its lobby here while it runs; a busy port only means it finds
    // somebody else's listener, so the game starts either way.
    if (!m_server.isListening() && !m_server.listen(QHostAddress::LocalHost, m_companionPort))
        emit status(QStringLiteral("Port %1 is busy: ").arg(m_companionPort) +
                    m_server.errorString());
    else
        emit status(QString::fromLatin1(kGameRunning));
    if (hostingPort > 0)
        m_presence.hosting(hostingPort);
    else
        m_presence.joined();
    m_game.setProgram(m_program);
    m_game.setArguments(args);
    m_game.setProcessChannelMode(QProcess::ForwardedChannels);
    m_game.start();
    emit runningChanged(true);
    emit presenceChanged();
}

void GameRunner::acceptCompanion() {
    while (QTcpSocket* s = m_server.nextPendingConnection()) {
        s->setReadBufferSize(kReadBuffer);
        m_readers.emplace(s, CompanionReader{});
        connect(s, &QTcpSocket::readyRead, this, [this, s] { readCompanion(s); });
        connect(s, &QTcpSocket::disconnected, this, [this, s] {
            m_readers.erase(s);
            s->deleteLater();
        });
    }
}

void GameRunner::readCompanion(QTcpSocket* socket) {
    auto it = m_readers.find(socket);
    if (it == m_readers.end()) return;
    const QByteArray bytes = socket->readAll();
    const std::vector<CompanionLine> lines =
        it->second.feed(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    for (const CompanionLine& line : lines)
        m_presence.apply(line);
    if (it->second.poisoned()) socket->abort();
    if (!lines.empty()) emit presenceChanged();
}

void GameRunner::ended() {
    m_server.close();
    // Disconnecting may take a socket out of m_readers at once.
    std::vector<QTcpSocket*> sockets;
    for (const auto& [socket, reader] : m_readers)
        sockets.push_back(socket);
    for (QTcpSocket* socket : sockets)
        socket->disconnectFromHost();
    m_presence.ended();
    emit runningChanged(false);
    emit presenceChanged();
}

} // namespace lobby
