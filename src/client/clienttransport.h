// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table client's way to the game host: the table connection, the lobby's companion
// connection, the hosting copy's listening socket, and coming back after a drop. The window's
// transport adapter implements it; tests implement it with a recording fake.

#include <string>

namespace core {

class ClientTransport {
public:
    virtual ~ClientTransport() = default;

    // Switches the game host's listening socket on (hosting copy only).
    virtual void startListening() = 0;
    // Connects the table connection to address:port without blocking.
    virtual void connectToHost(const std::string& address, int port) = 0;
    // Opens the lobby companion connection (127.0.0.1:9001); a copy that hosts tells the
    // lobby about its table there, and nothing is read from it.
    virtual void openCompanion(const std::string& address, int port) = 0;
    // One message text without its terminator; the transport frames it.
    virtual void send(const std::string& message) = 0;

    // --- coming back after a drop --------------------------------------------------------
    // Keeps our seat's token for this host address and port where a restarted copy finds it;
    // an empty token forgets it.
    virtual void keepSeatToken(const std::string& token) { (void)token; }
    virtual std::string keptSeatToken() { return {}; }
    // The connection closed while we hold a seat: connect again and again, backing off, for
    // up to withinSeconds; every new connection logs in as the first did. False when this
    // window cannot (the table then closes as it always did).
    virtual bool startReconnecting(int withinSeconds) {
        (void)withinSeconds;
        return false;
    }
};

} // namespace core
