// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game client reduced to the wire: it sends and reads 0xFF-terminated messages byte for
// byte and knows nothing of the game. The host may live on this thread or in another process;
// waiting always runs this thread's event loop, so an in-process host keeps working.

#include <QTcpSocket>

#include <optional>
#include <string>

namespace testsupport {

class RawClient {
public:
    static constexpr char kTerminator = '\xff';
    static constexpr int kDefaultWaitMs = 10000;

    explicit RawClient(quint16 port);
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    // Sends one message with its terminator.
    void send(const std::string& message);
    // The next whole message, or nullopt when none arrives in time or the host has closed the
    // connection and nothing whole is left.
    std::optional<std::string> next(int timeoutMs = kDefaultWaitMs);
    // Waits until the host has closed the connection, keeping what arrives meanwhile for
    // next(). False when it is still open after the wait.
    bool waitClosed(int timeoutMs = kDefaultWaitMs);
    bool closed() const { return m_closed; }

private:
    void waitForActivity(int ms);
    void take();

    QTcpSocket m_socket;
    std::string m_buffer;
    bool m_closed = false;
};

} // namespace testsupport
