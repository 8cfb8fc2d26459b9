// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// gloox's transport, carried by a QTcpSocket so that the Qt event loop drives the session:
// the server's address is looked up without blocking (the domain's _xmpp-client._tcp SRV
// records, else the domain itself on the standard port, or the host and port the account
// names), and every byte that arrives is handed to gloox from readyRead. gloox keeps doing the
// stream, STARTTLS and SASL on top; nothing here ever waits, so an idle session sleeps.

#include <gloox/connectionbase.h>

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QDnsLookup;
class QTcpSocket;

namespace lobby {

class SocketConnection : public gloox::ConnectionBase {
public:
    // `host` empty: the domain's SRV records decide; `port` 0: the standard port.
    SocketConnection(gloox::ConnectionDataHandler* handler, std::string domain, std::string host,
                     int port);
    ~SocketConnection() override;

    gloox::ConnectionError connect() override;
    // gloox's blocking loop: never used here, the event loop delivers the data.
    gloox::ConnectionError recv(int timeout) override;
    gloox::ConnectionError receive() override;
    bool send(const std::string& data) override;
    void disconnect() override;
    void getStatistics(long int& totalIn, long int& totalOut) override;
    gloox::ConnectionBase* newInstance() const override;

private:
    void lookUp();
    void tryNextTarget();
    void onConnected();
    void onReadyRead();
    void onClosed(bool error);

    std::string m_domain;
    std::string m_host;
    int m_hostPort;
    std::unique_ptr<QDnsLookup> m_lookup;
    std::unique_ptr<QTcpSocket> m_socket;
    std::vector<std::pair<QString, std::uint16_t>> m_targets;
    std::size_t m_nextTarget = 0;
    long int m_in = 0;
    long int m_out = 0;
};

} // namespace lobby
