// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/xmpp/socketconnection.h"

#include "lobby/lobbysession.h"

#include <QDnsLookup>
#include <QTcpSocket>

namespace lobby {

SocketConnection::SocketConnection(gloox::ConnectionDataHandler* handler, std::string domain,
                                   std::string host, int port)
    : gloox::ConnectionBase(handler), m_domain(std::move(domain)), m_host(std::move(host)),
      m_hostPort(port > 0 ? port : kXmppPort) {}

SocketConnection::~SocketConnection() {
    // Closing emits signals; nobody may hear them once gloox lets go of us.
    if (m_socket) m_socket->disconnect();
    if (m_lookup) m_lookup->disconnect();
}

gloox::ConnectionError SocketConnection::connect() {
    if (m_state != gloox::StateDisconnected) return gloox::ConnNoError;
    m_state = gloox::StateConnecting;
    m_targets.clear();
    m_nextTarget = 0;
    if (!m_host.empty()) {
        m_targets.emplace_back(QString::fromStdString(m_host), m_hostPort);
        tryNextTarget();
    } else {
        lookUp();
    }
    return gloox::ConnNoError;
}

void SocketConnection::lookUp() {
    m_lookup = std::make_unique<QDnsLookup>(QDnsLookup::SRV, QStringLiteral("_xmpp-client._tcp.") +
                                                                 QString::fromStdString(m_domain));
    QObject::connect(m_lookup.get(), &QDnsLookup::finished, m_lookup.get(), [this] {
        if (m_state != gloox::StateConnecting) return; // aborted
        // Qt hands the records sorted by priority, and by weight within a priority.
        if (m_lookup->error() == QDnsLookup::NoError)
            for (const auto& record : m_lookup->serviceRecords())
                if (record.target() != QLatin1String(".") && !record.target().isEmpty())
                    m_targets.emplace_back(record.target(), record.port());
        if (m_targets.empty()) m_targets.emplace_back(QString::fromStdString(m_domain), kXmppPort);
        tryNextTarget();
    });
    m_lookup->lookup();
}

void SocketConnection::tryNextTarget() {
    if (m_nextTarget >= m_targets.size()) {
        m_state = gloox::StateDisconnected;
        if (m_handler) m_handler->handleDisconnect(this, gloox::ConnConnectionRefused);
        return;
    }
    const auto [host, port] = m_targets[m_nextTarget++];
    if (m_socket) m_socket->disconnect();
    m_socket = std::make_unique<QTcpSocket>();
    QTcpSocket* socket = m_socket.get();
    QObject::connect(socket, &QTcpSocket::connected, socket, [this] { onConnected(); });
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this] { onReadyRead(); });
    QObject::connect(socket, &QTcpSocket::disconnected, socket, [this] { onClosed(false); });
    QObject::connect(socket, &QTcpSocket::errorOccurred, socket, [this](auto) { onClosed(true); });
    socket->connectToHost(host, port);
}

void SocketConnection::onConnected() {
    m_state = gloox::StateConnected;
    if (m_handler) m_handler->handleConnect(this);
}

void SocketConnection::onReadyRead() {
    const QByteArray bytes = m_socket->readAll();
    m_in += bytes.size();
    if (m_state == gloox::StateConnected && m_handler)
        m_handler->handleReceivedData(this, bytes.toStdString());
}

void SocketConnection::onClosed(bool error) {
    if (m_state == gloox::StateConnecting) {
        // This address did not answer: the next one may.
        if (error) tryNextTarget();
        return;
    }
    if (m_state != gloox::StateConnected) return;
    m_state = gloox::StateDisconnected;
    if (m_handler)
        m_handler->handleDisconnect(this, error ? gloox::ConnIoError : gloox::ConnStreamClosed);
}

gloox::ConnectionError SocketConnection::recv(int) {
    return m_state == gloox::StateConnected ? gloox::ConnNoError : gloox::ConnNotConnected;
}

gloox::ConnectionError SocketConnection::receive() {
    return recv(-1);
}

bool SocketConnection::send(const std::string& data) {
    if (m_state != gloox::StateConnected || !m_socket) return false;
    m_out += static_cast<long int>(data.size());
    return m_socket->write(data.data(), static_cast<qint64>(data.size())) ==
           static_cast<qint64>(data.size());
}

void SocketConnection::disconnect() {
    // gloox asked for it and reports it itself: the socket's own signals stay quiet.
    m_state = gloox::StateDisconnected;
    if (m_lookup) m_lookup->abort();
    if (m_socket) {
        m_socket->flush();
        m_socket->disconnectFromHost();
    }
}

void SocketConnection::getStatistics(long int& totalIn, long int& totalOut) {
    totalIn = m_in;
    totalOut = m_out;
}

gloox::ConnectionBase* SocketConnection::newInstance() const {
    return new SocketConnection(m_handler, m_domain, m_host, m_hostPort);
}

} // namespace lobby
