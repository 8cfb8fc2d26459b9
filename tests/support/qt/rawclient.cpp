// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/rawclient.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTimer>

#include <algorithm>

namespace testsupport {

RawClient::RawClient(quint16 port) {
    QObject::connect(&m_socket, &QTcpSocket::disconnected, [this] { m_closed = true; });
    m_socket.connectToHost(QHostAddress::LocalHost, port);
}

void RawClient::send(const std::string& message) {
    std::string framed = message + kTerminator;
    m_socket.write(framed.data(), static_cast<qint64>(framed.size()));
}

// Sleeps in the event loop until bytes arrive, the connection ends or `ms` pass. No busy
// polling: on a loaded machine the host (maybe another process) needs the processor.
void RawClient::waitForActivity(int ms) {
    QEventLoop loop;
    QObject::connect(&m_socket, &QTcpSocket::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(&m_socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void RawClient::take() {
    QByteArray bytes = m_socket.readAll();
    m_buffer.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::optional<std::string> RawClient::next(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    take();
    while (m_buffer.find(kTerminator) == std::string::npos) {
        if (m_closed || clock.elapsed() > timeoutMs) return std::nullopt;
        waitForActivity(std::max(1, timeoutMs - static_cast<int>(clock.elapsed())));
        take();
    }
    auto end = m_buffer.find(kTerminator);
    std::string message = m_buffer.substr(0, end);
    m_buffer.erase(0, end + 1);
    return message;
}

bool RawClient::waitClosed(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!m_closed && clock.elapsed() <= timeoutMs) {
        waitForActivity(std::max(1, timeoutMs - static_cast<int>(clock.elapsed())));
        take();
    }
    take();
    return m_closed;
}

} // namespace testsupport
