// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game host's network side: the listening socket, one QTcpSocket per accepted client, the
// receive-queue drain timer and the game countdown timer. All decisions are GameHost's; this
// class moves bytes and time.
//
// The drain timer runs only while entries wait: the first entry after a quiet spell is handled
// at once, later ones on ticks 10 ms apart; a tick handles entries (connections taking turns)
// for up to 2 ms, so a backlog from a few busy peers does not hold up everybody else.
//
// A client of this program answers the login request at once, so a connection that has not
// logged in 5 s after being asked is closed, and one address may have at most 3 connections
// waiting for their login: a further one waits without a slot until one of those logs in or
// goes (at most 5 s, and at most 64 such connections in all, or it is closed unanswered).
// When every slot is taken, a newcomer closes the connection that has waited longest for its
// login, past a grace of a second, and waits without a slot until that slot is freed; with
// nobody to close it is told "CMD_full+". An address whose connection was closed before it
// logged in closes nobody's for as long as a login may take: squatters from many addresses
// would otherwise take back every slot the moment its grace ends, and a player trying now
// and then would lose that race for many seconds. Each connection dropped unanswered is told
// to the watchers. A connection is also closed when its peer leaves more than 1 MiB of output
// untaken. Accepted sockets use TCP keep-alive with short probes, so a peer that vanished
// without closing is noticed within minutes.
// Every connection's end is reported to GameHost exactly once, from the event loop, never from
// inside a send or a broadcast.

#include "host/gamehost.h"
#include "host/hostmetrics.h"
#include "host/hostport.h"
#include "host/hoststate.h"
#include "net/protocol.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>

#include <array>
#include <functional>
#include <vector>

class QTcpSocket;

namespace ui {

class HostServer : public QObject, public core::HostPort {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = core::kGamePort;
    static constexpr int kDrainIntervalMs = 10;
    static constexpr int kLoginTimeoutMs = 5000;
    static constexpr int kMaxWaitingPerAddress = 3;
    static constexpr int kDrainBudgetMs = 2;
    static constexpr std::size_t kMaxHeld = 64;
    static constexpr std::size_t kMaxTurnedAway = 1024; // addresses remembered at once
    static constexpr qint64 kMaxUnsentBytes = 1024 * 1024;
    static constexpr int kDefaultBotSpeedMs = core::kDefaultBotSpeedMs;

    explicit HostServer(QObject* parent = nullptr);
    ~HostServer() override;

    // Starts listening on every IPv4 address. Raises "Listening Started", or a listen error
    // status and returns false. Port 0 lets the system choose (see serverPort()).
    bool listen(quint16 port = kDefaultPort);
    bool isListening() const { return m_server.isListening(); }
    quint16 serverPort() const { return m_server.serverPort(); }

    core::HostState& state() { return m_state; }
    core::GameHost& gameHost() { return m_host; }
    void setTurnHandler(core::TurnHandler* turns) { m_host.setTurnHandler(turns); }

    // Divides every interval of the game countdown timer (default 1).
    void setTimeScale(double scale);
    // Where the computer player's interval comes from (the hosting copy's "Bot Speed" menu);
    // without one it is 750 ms.
    void setBotSpeedProvider(std::function<int()> provider) { m_botSpeed = std::move(provider); }
    // Which computer player moves (the "Computer Player" menu, or --computer); classic without one.
    void setComputerStyleProvider(std::function<core::ComputerStyle()> provider) {
        m_computerStyle = std::move(provider);
    }
    // For tests: shorter limits than the program's.
    void setLoginTimeoutMs(int ms) { m_loginTimeoutMs = ms; }
    void setMaxWaitingPerAddress(int count) { m_maxWaitingPerAddress = count; }
    void setMaxUnsentBytes(qint64 bytes) { m_maxUnsent = bytes; }
    // Counts the bytes and messages that pass (the metrics); null for none.
    void setMetrics(core::HostMetrics* metrics) { m_metrics = metrics; }

    // core::HostPort
    void send(int slot, const std::string& message) override;
    void close(int slot) override;
    void notice(const std::string& text) override;
    void armCountdown(int intervalMs) override;
    void stopCountdown() override;
    int botSpeedMs() const override;
    core::ComputerStyle computerStyle() const override {
        return m_computerStyle ? m_computerStyle() : core::ComputerStyle::Classic;
    }
    void moveConnection(int from, int to) override;
    void armHoldTimer(int ms) override;

    // A graceful stop: no more connections are taken, every player is told in a line of the
    // table's own that the host is shutting down, and each connection is closed once what is
    // queued for it has gone out (or after a few seconds for a peer that does not take it).
    // shutDownComplete() follows when the last connection is gone.
    void shutDown();
    bool isShuttingDown() const { return m_shuttingDown; }

    // The game countdown timer's current interval (after the time scale), for tests.
    int countdownIntervalMs() const { return m_countdown.interval(); }

signals:
    // A host notice ("too many rolls", ...).
    void noticeRaised(const QString& text);
    // "Listening Started" or a listen error text.
    void statusText(const QString& text);
    // Something at the table may have changed: a message was handled, a connection ended or
    // the game countdown ran. Watchers compare what they care about.
    void activity();
    // After shutDown(): every connection has ended.
    void shutDownComplete();

private:
    void acceptPending();
    bool tooManyWaitingFrom(const QTcpSocket* socket) const;
    bool roomMadeFor(const QTcpSocket* socket);
    void rememberTurnedAway(const QTcpSocket* socket);
    void admit(QTcpSocket* socket);
    void hold(QTcpSocket* socket, bool forRoom);
    void dropUnanswered(QTcpSocket* socket, core::HeldDrop reason);
    void admitHeld();
    void readFrom(QTcpSocket* socket);
    void endConnection(QTcpSocket* socket);
    void scheduleDrain();
    void drainOne();
    void checkShutDown();

    QTcpServer m_server;
    core::HostState m_state{*this};
    core::GameHost m_host{m_state, nullptr};
    std::array<QTcpSocket*, core::GameHost::kRefusedSlot + 1> m_sockets{};
    std::vector<QTcpSocket*> m_held; // accepted, waiting for room to be given a slot
    // Addresses whose connection was closed before logging in, and when (the game host's clock).
    QHash<QHostAddress, std::int64_t> m_turnedAway;
    QTimer m_drainTimer;
    QElapsedTimer m_sinceDrain;
    QTimer m_countdown;
    QTimer m_holdTimer; // the end of the next seat hold
    double m_timeScale = 1.0;
    std::function<int()> m_botSpeed;
    std::function<core::ComputerStyle()> m_computerStyle;
    int m_loginTimeoutMs = kLoginTimeoutMs;
    int m_maxWaitingPerAddress = kMaxWaitingPerAddress;
    qint64 m_maxUnsent = kMaxUnsentBytes;
    bool m_shuttingDown = false;
    core::HostMetrics* m_metrics = nullptr;
};

} // namespace ui
