// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/transportadapter.h"

#include "chat/settings.h"
#include "client/qt/reconnector.h"
#include "client/qt/tablehosting.h"
#include "client/tableclient.h"
#include "net/qt/clientconnection.h"

#include <QTcpSocket>

namespace ui {

TransportAdapter::TransportAdapter(quint16 port, core::Settings& settings, QObject* parent)
    : QObject(parent), m_port(port), m_settings(settings),
      m_connection(new ClientConnection(this)) {
    m_connection->setObjectName(QStringLiteral("sock"));
    connect(m_connection, &ClientConnection::statusText, this, &TransportAdapter::connectionStatus);
    m_reconnector =
        new Reconnector([this] { m_connection->connectAgain(m_address, m_port); }, this);
    connect(m_reconnector, &Reconnector::gaveUp, this, [this] {
        if (!m_closing) emit reconnectGaveUp();
    });
}

void TransportAdapter::attach(const core::TableClient& client) {
    m_client = &client;
}

void TransportAdapter::setHosting(TableHosting* hosting) {
    m_hosting = hosting;
}

void TransportAdapter::close() {
    m_closing = true;
    m_connection->close();
    if (m_companion) m_companion->abort();
}

void TransportAdapter::startListening() {
    if (!m_hosting || !m_hosting->listen())
        emit hostNotice(tr("The game could not be hosted on port %1.").arg(m_port));
}

void TransportAdapter::connectToHost(const std::string& address, int) {
    // The port is this copy's game port (7772 unless given on the command line).
    m_address = QString::fromStdString(address);
    m_connection->connectToHost(m_address, m_port);
}

void TransportAdapter::openCompanion(const std::string& address, int port) {
    // Kept open for the lobby's sake; only a copy that hosts writes to it, nothing is read,
    // and a refusal is harmless.
    if (!m_companion) {
        m_companion = new QTcpSocket(this);
        m_companion->setObjectName(QStringLiteral("Sock11"));
        if (m_hosting) m_hosting->companionOpened(m_companion);
    }
    m_companion->connectToHost(QString::fromStdString(address), static_cast<quint16>(port));
}

void TransportAdapter::send(const std::string& message) {
    m_connection->send(message);
}

void TransportAdapter::connectionStatus(const QString& text) {
    // Our own leaving closes the connection too; that is no news to the player.
    if (m_closing) return;
    if (m_reconnector->active()) {
        if (text == kConnectedText)
            m_reconnector->connected();
        else
            m_reconnector->attemptFailed();
        return;
    }
    emit statusText(text);
}

std::string TransportAdapter::seatTokenPlace() const {
    return (m_client ? m_client->hostaddress() : std::string()) + ":" + std::to_string(m_port);
}

void TransportAdapter::keepSeatToken(const std::string& token) {
    m_settings.setSeatToken(seatTokenPlace(), token);
}

std::string TransportAdapter::keptSeatToken() {
    return m_settings.seatToken(seatTokenPlace());
}

bool TransportAdapter::startReconnecting(int withinSeconds) {
    m_reconnector->start(withinSeconds);
    return true;
}

} // namespace ui
