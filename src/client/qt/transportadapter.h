// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table client's transport (core::ClientTransport) in the window: the table connection
// ("sock"), the lobby's companion connection ("Sock11"), the game host beside a hosting copy
// (TableHosting), the seat token kept in the settings file, and connecting again after a drop
// (Reconnector).
//
// What the connection reports goes on to the window as news only while no reconnection is
// under way and the window is not closing: a reconnection's own attempts are its business.

#include "client/clienttransport.h"
#include "client/qt/tablehosting.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <string>

class QTcpSocket;

namespace core {
class Settings;
class TableClient;
} // namespace core

namespace ui {

class ClientConnection;
class Reconnector;

class TransportAdapter : public QObject, public core::ClientTransport {
    Q_OBJECT
public:
    // port: this copy's game port, whatever port the client names.
    TransportAdapter(quint16 port, core::Settings& settings, QObject* parent);

    // The client, once it is made (it is built on this adapter): the seat token is kept under
    // the address of its table.
    void attach(const core::TableClient& client);
    // The game host beside a hosting copy; null (the start) for none: such a window cannot host.
    void setHosting(TableHosting* hosting);

    ClientConnection* connection() const { return m_connection; }
    QTcpSocket* companion() const { return m_companion; }

    // Leaving the table: the host learns of it at once, and nothing more is reported.
    void close();

    // core::ClientTransport
    void startListening() override;
    void connectToHost(const std::string& address, int port) override;
    void openCompanion(const std::string& address, int port) override;
    void send(const std::string& message) override;
    void keepSeatToken(const std::string& token) override;
    std::string keptSeatToken() override;
    bool startReconnecting(int withinSeconds) override;

signals:
    // A status of the table connection that is news to the table ("Socket Closed", ...).
    void statusText(const QString& text);
    // Connecting again took longer than allowed.
    void reconnectGaveUp();
    // This copy could not host.
    void hostNotice(const QString& text);

private:
    void connectionStatus(const QString& text);
    std::string seatTokenPlace() const;

    quint16 m_port;
    core::Settings& m_settings;
    const core::TableClient* m_client = nullptr;
    QPointer<TableHosting> m_hosting;
    ClientConnection* m_connection;
    Reconnector* m_reconnector;
    QTcpSocket* m_companion = nullptr;
    QString m_address; // where the table connection went last, and goes again after a drop
    bool m_closing = false;
};

} // namespace ui
