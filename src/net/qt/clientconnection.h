// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table client's connection to the game host. Frames what arrives into a queue and hands
// the entries on one per tick (entryReady); the tick timer runs only while entries wait, and
// the first entry after a quiet spell goes out at once. Status changes come as the texts the
// table window knows: "Non-Blocking Socket Connected", "Socket Closed", error texts.
//
// "Socket Closed" is raised only after every entry that arrived before the close has been
// handed on, so a last message such as "CMD_full+" is not lost to the close.

#include "net/framer.h"
#include "net/protocol.h"
#include "net/receivequeue.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>

#include <string>

namespace ui {

class ClientConnection : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = core::kGamePort;
    static constexpr int kTickMs = 1;
    // Far more than a host ever has in flight to one client; past either bound the host is
    // misbehaving and the connection is closed as for an oversized message. The byte bound
    // matters while a handler holds the queue (a modal box): without it 4096 entries of up to
    // 64 KiB each could pile up.
    static constexpr std::size_t kMaxWaiting = 4096;
    static constexpr std::size_t kMaxWaitingBytes = 4 * 1024 * 1024;

    explicit ClientConnection(QObject* parent = nullptr);
    ~ClientConnection() override;

    // Connects without blocking; a host text is a dotted address or a name to look up.
    void connectToHost(const QString& host, quint16 port = kDefaultPort);
    // Sends one message (without terminator; it is appended here).
    void send(const std::string& message);
    void close();
    // After the connection closed: a new connection to the same or another host, starting
    // from a clean slate (no unfinished message, no close waiting to be told).
    void connectAgain(const QString& host, quint16 port);
    // Messages handed to the socket so far.
    int sentCount() const { return m_sent; }
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }

signals:
    // One received message text, without its terminator, in arrival order.
    void entryReady(const std::string& entry);
    void statusText(const QString& text);

private:
    void readAll();
    void tick();
    void socketClosed();
    void reportError(QAbstractSocket::SocketError error);

    QTcpSocket m_socket;
    int m_sent = 0;
    core::Framer m_framer;
    core::ReceiveQueue m_queue{kMaxWaiting, kMaxWaitingBytes};
    QTimer m_tick;
    bool m_wasConnected = false;
    bool m_closeWaiting = false; // "Socket Closed" waits for the queue to empty
    bool m_handing = false;      // an entry's handler is running (it may open a modal box)
};

// The status text of a socket error: the lookup failure text, or "Error #" with the system's
// error number and its symbolic name.
QString socketErrorText(QAbstractSocket::SocketError error);

// The status text of a connection that has come up.
extern const QString kConnectedText;

} // namespace ui
