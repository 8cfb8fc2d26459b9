// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt/clientconnection.h"

#include "net/fields.h"

#include <QMetaEnum>

#include <cerrno>

namespace ui {

const QString kConnectedText = QStringLiteral("Non-Blocking Socket Connected");

namespace {
const QString& kConnected = kConnectedText;
const QString kClosed = QStringLiteral("Socket Closed");
const QString kNotConnected = QStringLiteral("Send - Socket Not Connected");
const QString kLookupFailed = QStringLiteral("Host Lookup - Could Not Find Host Entry");
constexpr qint64 kReadBufferBytes = 64 * 1024;
} // namespace

QString socketErrorText(QAbstractSocket::SocketError error) {
    struct Known {
        QAbstractSocket::SocketError error;
        int number;
        const char* name;
    };
    static const Known known[] = {
        {QAbstractSocket::ConnectionRefusedError, ECONNREFUSED, "ECONNREFUSED"},
        {QAbstractSocket::RemoteHostClosedError, ECONNRESET, "ECONNRESET"},
        {QAbstractSocket::SocketTimeoutError, ETIMEDOUT, "ETIMEDOUT"},
        {QAbstractSocket::NetworkError, ENETUNREACH, "ENETUNREACH"},
        {QAbstractSocket::SocketAccessError, EACCES, "EACCES"},
        {QAbstractSocket::SocketResourceError, EMFILE, "EMFILE"},
        {QAbstractSocket::AddressInUseError, EADDRINUSE, "EADDRINUSE"},
    };
    if (error == QAbstractSocket::HostNotFoundError) return kLookupFailed;
    for (const auto& k : known)
        if (k.error == error)
            return QStringLiteral("Error #%1 (%2)").arg(k.number).arg(QLatin1String(k.name));
    auto meta = QMetaEnum::fromType<QAbstractSocket::SocketError>();
    const char* key = meta.valueToKey(error);
    return QStringLiteral("Error #%1 (%2)")
        .arg(static_cast<int>(error))
        .arg(QLatin1String(key ? key : "UnknownSocketError"));
}

ClientConnection::ClientConnection(QObject* parent) : QObject(parent) {
    m_socket.setReadBufferSize(kReadBufferBytes);
    m_tick.setSingleShot(true);
    connect(&m_tick, &QTimer::timeout, this, &ClientConnection::tick);
    connect(&m_socket, &QTcpSocket::readyRead, this, &ClientConnection::readAll);
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_wasConnected = true;
        emit statusText(kConnected);
    });
    connect(&m_socket, &QTcpSocket::disconnected, this, &ClientConnection::socketClosed);
    connect(&m_socket, &QAbstractSocket::errorOccurred, this, &ClientConnection::reportError);
}

ClientConnection::~ClientConnection() {
    // Going away is not a close the window should hear about.
    m_socket.disconnect(this);
    m_socket.abort();
}

void ClientConnection::connectToHost(const QString& host, quint16 port) {
    m_socket.connectToHost(host, port);
}

void ClientConnection::send(const std::string& message) {
    if (!isConnected()) {
        emit statusText(kNotConnected);
        return;
    }
    QByteArray data(message.data(), static_cast<qsizetype>(message.size()));
    data.append(core::kTerminator);
    m_socket.write(data);
    ++m_sent;
}

void ClientConnection::connectAgain(const QString& host, quint16 port) {
    m_socket.abort();
    m_framer.reset();
    m_closeWaiting = false;
    m_wasConnected = false;
    m_socket.connectToHost(host, port);
}

void ClientConnection::close() {
    // What was written last (a goodbye) leaves now, even if the program ends right after.
    m_socket.flush();
    m_socket.disconnectFromHost();
}

void ClientConnection::readAll() {
    while (m_socket.bytesAvailable() > 0) {
        QByteArray data = m_socket.read(kReadBufferBytes);
        for (auto& message : m_framer.feed(
                 std::string_view(data.constData(), static_cast<std::size_t>(data.size())))) {
            if (!m_queue.push(0, std::move(message))) {
                m_socket.abort();
                break;
            }
        }
        if (m_framer.overflowed()) m_socket.abort();
        if (m_socket.state() == QAbstractSocket::UnconnectedState) break;
    }
    if (!m_queue.empty() && !m_tick.isActive() && !m_handing) m_tick.start(0);
}

void ClientConnection::tick() {
    if (m_handing) return; // picked up again when the running handler returns
    if (auto entry = m_queue.pop()) {
        m_handing = true;
        emit entryReady(entry->text);
        m_handing = false;
    }
    if (!m_queue.empty()) {
        m_tick.start(kTickMs);
    } else if (m_closeWaiting) {
        m_closeWaiting = false;
        emit statusText(kClosed);
    }
}

void ClientConnection::socketClosed() {
    if (!m_wasConnected) return;
    m_wasConnected = false;
    if (m_queue.empty() && !m_handing)
        emit statusText(kClosed);
    else
        m_closeWaiting = true;
}

void ClientConnection::reportError(QAbstractSocket::SocketError error) {
    // A peer's orderly close is reported as "Socket Closed" alone.
    if (error == QAbstractSocket::RemoteHostClosedError) return;
    emit statusText(socketErrorText(error));
}

} // namespace ui
