// SPDX-License-Identifier: GPL-3.0-or-later
// The host on a real loopback port, driven by raw TCP clients that speak the wire format.
#include "host/hostmetrics.h"
#include "host/qt/hostserver.h"

#include <QTcpSocket>
#include <QtTest>

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

using ui::HostServer;

namespace {

const char T = '\xff';

QByteArray wire(std::initializer_list<QByteArray> messages) {
    QByteArray out;
    for (const auto& m : messages)
        out += m + T;
    return out;
}

// A raw client: collects everything it receives and notes when the host closes it.
class RawClient {
public:
    // from: the loopback address to connect from (127.0.0.1 unless given), so one machine
    // can stand for several.
    explicit RawClient(quint16 port, const QHostAddress& from = QHostAddress::LocalHost) {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
        QObject::connect(&socket, &QTcpSocket::disconnected, [this] { closed = true; });
        socket.bind(from);
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    // Everything received so far; forgets it.
    QByteArray take() {
        QByteArray out = received;
        received.clear();
        return out;
    }
    void write(const QByteArray& bytes) { socket.write(bytes); }

    QTcpSocket socket;
    QByteArray received;
    bool closed = false;
};

} // namespace

// Logs a client in and stops the test if that failed.
#define JOIN(name)                                                                                 \
    do {                                                                                           \
        join(name);                                                                                \
        if (QTest::currentTestFailed()) return;                                                    \
    } while (false)

class HostServerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<HostServer> m_host;
    std::vector<std::unique_ptr<RawClient>> m_clients;
    quint16 m_port = 0;
    core::HostMetrics metrics;
    std::int64_t m_nowMs = 0;

    RawClient& connectClient(const QHostAddress& from = QHostAddress::LocalHost) {
        m_clients.push_back(std::make_unique<RawClient>(m_port, from));
        return *m_clients.back();
    }
    // Connects and logs in as slot n (the next free one), then forgets the login replies of
    // every client.
    void join(const QByteArray& name) {
        auto& c = connectClient();
        int slot = static_cast<int>(m_clients.size());
        QByteArray ask = "CMD_sendlogininfo+" + QByteArray::number(slot) + T;
        QTRY_COMPARE_WITH_TIMEOUT(c.received, ask, 5000);
        c.take();
        c.write("CMD_logininfo+" + QByteArray::number(slot) + "+1.0.2+" + name + T);
        QByteArray announced =
            "CMD_newplayerinfo+" + QByteArray::number(slot) + "+" + name + "+0" + T;
        QTRY_VERIFY_WITH_TIMEOUT(c.received.startsWith(announced), 5000);
        // Everybody already there hears of the newcomer before the test goes on.
        for (auto& other : m_clients)
            QTRY_VERIFY_WITH_TIMEOUT(other->received.contains(announced), 5000);
    }
    RawClient& client(int slot) { return *m_clients[static_cast<std::size_t>(slot - 1)]; }
    // The client in slot chats and every client still connected waits for the relay. The host
    // handles what it reads in order and sends in order, so whatever it had read before the
    // chat has been handled, and whatever it had sent has arrived.
    void roundTrip(int slot) {
        client(slot).write(wire({"CMD_chat+" + QByteArray::number(slot) + "+probe|c"}));
        const QByteArray relayed = QByteArray(" chats: probe|c") + T;
        for (auto& c : m_clients)
            if (!c->closed) QTRY_VERIFY_WITH_TIMEOUT(c->received.endsWith(relayed), 5000);
    }
    // The metrics have this sample line.
    bool counted(const std::string& line) {
        return metrics.exposition(m_host->gameHost()).find("\n" + line + "\n") != std::string::npos;
    }
    void forgetReceived() {
        roundTrip(1);
        for (auto& c : m_clients)
            c->take();
    }

private slots:
    void init() {
        m_host = std::make_unique<HostServer>();
        metrics = core::HostMetrics();
        m_nowMs = 0;
        m_host->state().addWatcher(&metrics);
        QSignalSpy status(m_host.get(), &HostServer::statusText);
        QVERIFY(m_host->listen(0));
        QCOMPARE(status.value(0).value(0).toString(), QString("Listening Started"));
        m_port = m_host->serverPort();
    }
    void cleanup() {
        m_clients.clear();
        m_host.reset();
    }

    void nineLogInTheTenthIsRefusedAndADepartureIsAnnounced() {
        JOIN("Ann");
        auto& first = *m_clients.back();
        QTRY_COMPARE_WITH_TIMEOUT(first.received, wire({"CMD_newplayerinfo+1+Ann+0"}), 5000);
        first.take();
        JOIN("Bob");
        auto& second = *m_clients.back();
        QTRY_COMPARE_WITH_TIMEOUT(
            second.received, wire({"CMD_newplayerinfo+2+Bob+0", "CMD_existingplayers+1+Ann+0"}),
            5000);
        QTRY_COMPARE_WITH_TIMEOUT(first.received, wire({"CMD_newplayerinfo+2+Bob+0"}), 5000);
        for (int n = 3; n <= 9; ++n)
            JOIN("P" + QByteArray::number(n));
        forgetReceived();

        auto& tenth = connectClient();
        QTRY_VERIFY_WITH_TIMEOUT(tenth.closed, 5000);
        QCOMPARE(tenth.take(), wire({"CMD_full+"}));

        m_clients[3]->socket.disconnectFromHost(); // slot 4 leaves
        for (int n = 1; n <= 9; ++n) {
            if (n == 4) continue;
            QTRY_COMPARE_WITH_TIMEOUT(m_clients[static_cast<std::size_t>(n - 1)]->received,
                                      wire({"CMD_playerdisconnected+4+P4"}), 5000);
        }
        roundTrip(1);
        QCOMPARE(m_clients[0]->take(), wire({"CMD_playerdisconnected+4+P4",
                                             "CMD_chat+1+Ann chats: probe|c"})); // only once

        // The freed slot is the next one handed out.
        auto& again = connectClient();
        QTRY_COMPARE_WITH_TIMEOUT(again.received, wire({"CMD_sendlogininfo+4"}), 5000);
    }

    void messagesSplitAndJoinedOnTheWireArriveWhole() {
        JOIN("Ann");
        auto& ann = *m_clients.back();
        JOIN("Bob");
        forgetReceived();
        ann.write("CMD_chat+1+one|c");
        ann.socket.flush();
        roundTrip(2); // the host has read the first piece before the rest is sent
        ann.take();
        ann.write(QByteArray(1, T) + "CMD_action+1+two|c" + T + T + "CMD_chat+1+three|c" + T);
        QTRY_COMPARE_WITH_TIMEOUT(ann.received,
                                  wire({"CMD_chat+1+Ann chats: one|c", "CMD_action+1+Ann two|c",
                                        "CMD_chat+1+Ann chats: three|c"}),
                                  5000);
    }

    void kickFromTheHostingPlayerClosesTheTarget() {
        JOIN("Ann");
        auto& ann = *m_clients.back();
        JOIN("Bob");
        auto& bob = *m_clients.back();
        forgetReceived();
        bob.write(wire({"CMD_kickhim+2+1+"}));
        roundTrip(2);
        QVERIFY(!ann.closed);
        ann.take();
        ann.write(wire({"CMD_kickhim+1+2+"}));
        QTRY_VERIFY_WITH_TIMEOUT(bob.closed, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(ann.received, wire({"CMD_playerdisconnected+2+Bob"}), 5000);
    }

    void anOversizedMessageClosesTheConnection() {
        JOIN("Ann");
        auto& ann = *m_clients.back();
        JOIN("Bob");
        auto& bob = *m_clients.back();
        forgetReceived();
        bob.write(QByteArray(64 * 1024 + 10, 'x'));
        QTRY_VERIFY_WITH_TIMEOUT(bob.closed, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(ann.received, wire({"CMD_playerdisconnected+2+Bob"}), 5000);
    }

    void aPeerThatTakesNothingIsClosedPastTheOutputBound() {
        JOIN("Ann");
        auto& ann = *m_clients.back();
        JOIN("Bob");
        auto& bob = *m_clients.back();
        // A clock that moves a second at every look: the relay allowance never runs dry, so
        // the test waits for the bound and not for the allowance to refill.
        m_host->gameHost().setClock([now = std::int64_t{0}]() mutable { return now += 1000; });
        // Bob stops reading (and so does not notice the close either); Ann's chats are relayed
        // to both, and Ann reads everything, sending a new chat for each of hers that comes
        // back, so a few are always on their way.
        QObject::disconnect(&bob.socket, &QTcpSocket::readyRead, nullptr, nullptr);
        bob.socket.setReadBufferSize(1);
        QObject::disconnect(&ann.socket, &QTcpSocket::readyRead, nullptr, nullptr);
        const QByteArray chat = "CMD_chat+1+" + QByteArray(60000, 'a') + "|c" + T;
        const QByteArray departure = "CMD_playerdisconnected+2+Bob";
        constexpr int kInFlight = 4;
        int sent = 0, back = 0;
        bool departed = false;
        QByteArray tail; // the end of what came before, should the departure be split
        QObject scope;   // ends the connections below with this test
        QObject::connect(&ann.socket, &QTcpSocket::readyRead, &scope, [&] {
            const QByteArray in = ann.socket.readAll();
            back += static_cast<int>(in.count(T));
            tail += in;
            departed = departed || tail.contains(departure);
            tail = tail.right(departure.size());
            for (; !departed && sent - back < kInFlight; ++sent)
                ann.write(chat);
        });
        for (; sent < kInFlight; ++sent)
            ann.write(chat);
        QTRY_VERIFY2_WITH_TIMEOUT(departed, "the host kept buffering for a peer that reads nothing",
                                  30000);
        QVERIFY(!ann.closed);
        qInfo("closed after %d relays of 60 kB", sent);
    }

    void aConnectionThatDoesNotLogInIsClosed() {
        m_host->setLoginTimeoutMs(300);
        JOIN("Ann");
        auto& ann = *m_clients.back();
        auto& idle = connectClient();
        QTRY_VERIFY_WITH_TIMEOUT(idle.closed, 5000);
        QCOMPARE(idle.take(), wire({"CMD_sendlogininfo+2"}));
        // Ann's deadline passed before the idle one's; logged in, she is still served.
        QTRY_VERIFY_WITH_TIMEOUT(ann.received.endsWith(wire({"CMD_playerdisconnected+2+"})), 5000);
        roundTrip(1);
        QVERIFY(!ann.closed);
    }

    void silentConnectionsFromOneAddressCannotTakeEverySeat() {
        m_host->setLoginTimeoutMs(60000); // the limit, not the deadline, must do it
        const QHostAddress squatter("127.0.0.1"), player("127.0.0.2");
        for (int n = 1; n <= 3; ++n) {
            auto& idle = connectClient(squatter);
            QTRY_COMPARE_WITH_TIMEOUT(idle.received,
                                      wire({"CMD_sendlogininfo+" + QByteArray::number(n)}), 5000);
        }
        auto& fourth = connectClient(squatter);
        auto& ann = connectClient(player);
        QTRY_COMPARE_WITH_TIMEOUT(ann.received, wire({"CMD_sendlogininfo+4"}), 5000);
        QCOMPARE(fourth.take(), QByteArray()); // waits without a slot
        QVERIFY(!fourth.closed);
        // One of the three logs in: the waiting one gets its slot.
        m_clients[0]->write(wire({"CMD_logininfo+1+1.0.2+Sam"}));
        QTRY_COMPARE_WITH_TIMEOUT(fourth.received, wire({"CMD_sendlogininfo+5"}), 5000);
        // Waiting without a slot lasts no longer than a login may.
        m_host->setLoginTimeoutMs(200);
        auto& fifth = connectClient(squatter);
        QTRY_VERIFY_WITH_TIMEOUT(fifth.closed, 5000);
        QCOMPARE(fifth.take(), QByteArray());
        QTRY_VERIFY_WITH_TIMEOUT(
            counted("bramblies_held_connections_dropped_total{reason=\"deadline\"} 1"), 5000);
    }

    // Squatters from many addresses fill the table; once they have been silent past the
    // grace, a newcomer closes the longest-waiting one and takes its slot, ahead of a squatter
    // that waits without a slot. Before the grace, and for logged-in players, nobody goes; nor
    // for an address that has just lost a silent connection, until a login's time has passed.
    void aNewcomerMakesRoomPastTheGraceOfSilentConnections() {
        m_host->gameHost().setClock([this] { return m_nowMs; }); // the grace passes on cue
        m_host->setLoginTimeoutMs(60000);
        JOIN("Ann");
        // One at a time, so the host takes them in this order.
        auto connected = [this](const char* from) -> RawClient& {
            auto& c = connectClient(QHostAddress(from));
            (void)QTest::qWaitFor(
                [&c] { return c.socket.state() == QAbstractSocket::ConnectedState; });
            return c;
        };
        for (int n = 2; n <= 9; ++n) {
            const QByteArray from = "127.0.0." + QByteArray::number(2 + (n - 2) / 3);
            auto& idle = connected(from.constData());
            QTRY_COMPARE_WITH_TIMEOUT(idle.received,
                                      wire({"CMD_sendlogininfo+" + QByteArray::number(n)}), 5000);
        }
        auto& heldSquatter = connected("127.0.0.2"); // its address has three waiting
        auto& early = connected("127.0.0.20");
        QTRY_VERIFY_WITH_TIMEOUT(early.closed, 5000);
        QCOMPARE(early.take(), wire({"CMD_full+"}));

        m_nowMs += core::GameHost::kRoomGraceMs;
        auto& player = connected("127.0.0.21");
        QTRY_VERIFY_WITH_TIMEOUT(player.received.startsWith(wire({"CMD_sendlogininfo+2"})), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(client(2).closed, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(heldSquatter.closed, 5000);
        QCOMPARE(heldSquatter.take(), wire({"CMD_full+"}));
        auto& third = connected("127.0.0.22");
        QTRY_COMPARE_WITH_TIMEOUT(third.received, wire({"CMD_sendlogininfo+3"}), 5000);
        QVERIFY(client(3).closed);
        m_nowMs += 60000;
        auto& back = connected("127.0.0.2");
        QTRY_COMPARE_WITH_TIMEOUT(back.received, wire({"CMD_sendlogininfo+4"}), 5000);
        QVERIFY(client(4).closed);
        player.write(wire({"CMD_logininfo+2+1.0.2+Bea"}));
        const QByteArray others = "CMD_existingplayers+1+Ann+0+3++0+4++0+5++0+6++0+7++0+8++0+9++0";
        QTRY_VERIFY_WITH_TIMEOUT(player.received.endsWith(wire({others})), 5000);
        QVERIFY(!client(1).closed);
        QTRY_VERIFY_WITH_TIMEOUT(
            counted("bramblies_connections_closed_total{reason=\"made_room\"} 3"), 5000);
    }

    void closedPeersFreeTheirSlotsAtOnce() {
        m_host->setLoginTimeoutMs(60000);
        m_host->setMaxWaitingPerAddress(9);
        // One at a time: the host's short listen backlog would drop a burst of connection
        // requests, and each would wait out a retransmission.
        for (int n = 1; n <= 9; ++n) {
            auto& c = connectClient();
            QTRY_VERIFY_WITH_TIMEOUT(!c.received.isEmpty(), 5000);
        }
        // Closed without a word, logged in or not: every slot is free well before any deadline.
        m_clients[0]->write(wire({"CMD_logininfo+1+1.0.2+Ann"}));
        QTRY_VERIFY_WITH_TIMEOUT(m_host->gameHost().loggedIn(1), 5000);
        for (auto& c : m_clients)
            c->socket.abort();
        m_clients.clear();
        auto anyConnected = [this] {
            for (int n = 1; n <= core::kMaxSlot; ++n)
                if (m_host->state().slot(n).connected) return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(!anyConnected(), 1000);
        auto& next = connectClient();
        QTRY_COMPARE_WITH_TIMEOUT(next.received, wire({"CMD_sendlogininfo+1"}), 5000);
    }

    void aTakenPortIsABindingError() {
        HostServer second;
        QSignalSpy status(&second, &HostServer::statusText);
        QVERIFY(!second.listen(m_port));
        QCOMPARE(status.value(0).value(0).toString(), QString("Listen - Error Binding Socket"));
    }

    void countdownTicksAreScaledAndNoticesRaised() {
        struct Ticks : core::TurnHandler {
            int count = 0;
            void startgame(const core::msg::toHost::Startgame&) override {}
            void rollthedice(const core::msg::toHost::Rollthedice&) override {}
            void selectcat(const core::msg::toHost::Selectcat&) override {}
            void timer1Timer() override { ++count; }
            void seatVacated(int) override {}
            void justWatchStarted(int) override {}
        } ticks;
        m_host->setTurnHandler(&ticks);
        m_host->setTimeScale(100);
        m_host->armCountdown(2000);
        QCOMPARE(m_host->countdownIntervalMs(), 20);
        // Armed, it ticks again and again until stopped.
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= 2, 5000);
        m_host->stopCountdown();
        m_host->setTurnHandler(nullptr);

        QSignalSpy notices(m_host.get(), &HostServer::noticeRaised);
        m_host->notice("too many rolls");
        QCOMPARE(notices.value(0).value(0).toString(), QString("too many rolls"));
        QCOMPARE(m_host->botSpeedMs(), 750);
        m_host->setBotSpeedProvider([] { return 350; });
        QCOMPARE(m_host->botSpeedMs(), 350);
    }

    void countdownIntervalsStayWithinTheTimersRange() {
        struct Case {
            double scale;
            int intervalMs;
            int expected;
        } cases[] = {
            {1, 750, 750},
            {4, 350, 88},
            {1e6, 750, 1},
            {1e-300, 750, std::numeric_limits<int>::max()},
        };
        for (const auto& c : cases) {
            m_host->setTimeScale(c.scale);
            m_host->armCountdown(c.intervalMs);
            QCOMPARE(m_host->countdownIntervalMs(), c.expected);
        }
        m_host->stopCountdown();
    }
};

QTEST_MAIN(HostServerTest)
#include "hostserver_test.moc"
