// SPDX-License-Identifier: GPL-3.0-or-later
// The real program started as its users start a dedicated host, without a display, on a free
// port and with a fast game timer: once as `bramblies --dedicated-host` and once as
// `bramblies-host`, every test for each. Raw clients speak the wire format to it: slot 1 starts and
// plays a whole game against the computer, a late joiner is told the board, a refused request
// shows up on standard error, slot 1's rights pass on when its player leaves, and SIGTERM ends
// the program cleanly with every connection closed.

#include "support/qt/clientboard.h"
#include "support/qt/rawclient.h"
#include "support/qt/scriptedseat.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <string>

#ifndef BRAMBLIES_EXE
#error "BRAMBLIES_EXE must name the program under test"
#endif
#ifndef BRAMBLIES_HOST_EXE
#error "BRAMBLIES_HOST_EXE must name the dedicated host's own program"
#endif

using testsupport::ClientBoard;
using testsupport::fieldsOf;
using testsupport::RawClient;
using testsupport::ScriptedSeat;

namespace {

// Generous: the machine may be busy with other builds.
constexpr int kWaitMs = 20000;

// A port nobody listens on right now. Another program may take it before the host does;
// startHost() then tries again.
quint16 freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::AnyIPv4, 0)) return 0;
    return probe.serverPort();
}

// Qt's own complaints ("QObject::~QObject: Timers cannot be stopped from another thread",
// "QSocketNotifier: Invalid socket") mean objects were torn down in the wrong order.
bool hasQtWarning(const QByteArray& err) {
    static const QRegularExpression warning(QStringLiteral("^Q[A-Za-z]+(::[~A-Za-z]+)*: "),
                                            QRegularExpression::MultilineOption);
    return warning.match(QString::fromLocal8Bit(err)).hasMatch();
}

} // namespace

class DedicatedProcessTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QProcess> m_host;
    QByteArray m_out, m_err;
    quint16 m_port = 0;

    bool hostListening() const { return m_out.contains('\n'); }
    bool hostRunning() const { return m_host && m_host->state() != QProcess::NotRunning; }

    // Starts the program and waits for its "listening" line. No display:
    // the variables a windowing program would need are taken away.
    bool startHost() {
        for (int attempt = 0; attempt < 3; ++attempt) {
            m_port = freePort();
            m_out.clear();
            m_err.clear();
            m_host = std::make_unique<QProcess>();
            auto env = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                env.remove(QString::fromLatin1(name));
            m_host->setProcessEnvironment(env);
            connect(m_host.get(), &QProcess::readyReadStandardOutput, this,
                    [this] { m_out += m_host->readAllStandardOutput(); });
            connect(m_host.get(), &QProcess::readyReadStandardError, this,
                    [this] { m_err += m_host->readAllStandardError(); });
            QFETCH_GLOBAL(QString, program);
            QFETCH_GLOBAL(QStringList, arguments);
            m_host->start(program,
                          arguments +
                              QStringList{QStringLiteral("--port"), QString::number(m_port),
                                          QStringLiteral("--time-scale"), QStringLiteral("500"),
                                          QStringLiteral("--bot-speed"), QStringLiteral("100")});
            if (!m_host->waitForStarted(kWaitMs)) return false;
            if (QTest::qWaitFor([this] { return hostListening() || !hostRunning(); }, kWaitMs) &&
                hostListening())
                return true;
            // It could not listen (the port was taken meanwhile): try another.
            qInfo("no listening line on port %u; stderr: %s", unsigned(m_port), m_err.constData());
            stopHost();
        }
        return false;
    }
    void stopHost() {
        if (!hostRunning()) return;
        m_host->kill();
        m_host->waitForFinished(kWaitMs);
    }

private slots:
    void initTestCase_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("bramblies")
            << QStringLiteral(BRAMBLIES_EXE) << QStringList{QStringLiteral("--dedicated-host")};
        QTest::newRow("bramblies-host") << QStringLiteral(BRAMBLIES_HOST_EXE) << QStringList{};
    }
    void cleanup() {
        stopHost();
        m_host.reset();
    }

    void playsAGameAndEndsCleanlyOnSigterm() {
        QVERIFY2(startHost(), "the dedicated host did not start listening");
        QCOMPARE(m_out.count('\n'), 1);
        QVERIFY2(m_out.contains(QByteArray::number(m_port)), m_out.constData());

        // The first connection gets slot 1 and may start a game.
        RawClient alice(m_port);
        QCOMPARE(alice.next(kWaitMs).value_or("(none)"), std::string("CMD_sendlogininfo+1"));
        alice.send("CMD_logininfo+1+1.0.2+Alice");
        QCOMPARE(alice.next(kWaitMs).value_or("(none)"),
                 std::string("CMD_newplayerinfo+1+Alice+0"));
        alice.send("CMD_startgame+Alice+0+");

        ClientBoard board;
        ScriptedSeat aliceScript(1);
        std::unique_ptr<RawClient> bob;
        bool askedTwice = false;
        std::string winner;
        while (winner.empty()) {
            auto message = alice.next(kWaitMs);
            QVERIFY2(message, "the game stopped");
            board.apply(*message);
            auto f = fieldsOf(*message);
            if (f[0] == "CMD_winner") winner = *message;
            QVERIFY2(f[0] != "CMD_needcat", message->c_str());
            auto requests = aliceScript.answer(board, *message);
            if (f[0] == "CMD_selectedcat" && f[1] == "1" && !askedTwice) {
                // A second choice while one is set is refused with a host notice; the turn
                // waits for Alice's next roll, so the refusal cannot miss her turn.
                alice.send("CMD_selectcat+1+" + f[2] + "+");
                askedTwice = true;
            }
            if (f[0] == "CMD_nextplayer" && f[1] == "1") {
                QCOMPARE(board.round, aliceScript.turnsBegun());
                if (aliceScript.turnsBegun() == 4) {
                    // Bob arrives while Alice thinks over her fourth turn, into slot 2 which
                    // the computer has been playing, and must be told the board as it is.
                    bob = std::make_unique<RawClient>(m_port);
                    QCOMPARE(bob->next(kWaitMs).value_or("(none)"),
                             std::string("CMD_sendlogininfo+2"));
                    bob->send("CMD_logininfo+2+1.0.2+Bob");
                    QCOMPARE(bob->next(kWaitMs).value_or("(none)"),
                             std::string("CMD_newplayerinfo+2+Bob+0"));
                    QCOMPARE(bob->next(kWaitMs).value_or("(none)"),
                             std::string("CMD_existingplayers+1+Alice+0"));
                    QCOMPARE(bob->next(kWaitMs).value_or("(none)"), board.loadstats(2));
                    QCOMPARE(bob->next(kWaitMs).value_or("(none)"), board.loadscores(2, 2));
                    bob->send("CMD_justwatch+2+1");
                }
            }
            for (const auto& request : requests)
                alice.send(request);
        }
        QVERIFY(askedTwice);
        QCOMPARE(aliceScript.turnsBegun(), 7);
        for (int seat : {1, 2})
            for (int c = 1; c <= 7; ++c)
                QVERIFY2(board.score(seat, c) != -1,
                         qPrintable(QStringLiteral("seat %1 category %2 open").arg(seat).arg(c)));
        QVERIFY(bob);
        std::string last;
        while (last.rfind("CMD_winner+", 0) != 0) {
            auto m = bob->next(kWaitMs);
            QVERIFY2(m, "Bob was not told the winner");
            last = *m;
        }
        QCOMPARE(last, winner);

        // Notices and the operator's events go to standard error, one a line; standard
        // output keeps its one line.
        const QByteArrayList lines{"\nworking selected\n", "login: slot 1 Alice\n",
                                   "login: slot 2 Bob\n", "game started by Alice with 2 seats\n",
                                   "\ngame over: winner"};
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         return std::all_of(lines.begin(), lines.end(),
                                            [&](const auto& l) { return m_err.contains(l); });
                     },
                     kWaitMs),
                 m_err.constData());
        QCOMPARE(m_out.count('\n'), 1);

        // SIGTERM: a normal exit with code 0, and both connections end.
        m_host->terminate();
        QVERIFY(QTest::qWaitFor([this] { return !hostRunning(); }, kWaitMs));
        QCOMPARE(m_host->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_host->exitCode(), 0);
        QVERIFY(alice.waitClosed(kWaitMs));
        QVERIFY(bob->waitClosed(kWaitMs));
        QVERIFY2(!hasQtWarning(m_err), m_err.constData());
    }

    // In the dedicated host slot 1 is a remote player like any other: when Alice leaves in the
    // middle of her own turn the computer finishes it and plays her seat on, and whoever
    // connects next into slot 1 may start the next game.
    void slotOneLeavingMidTurnHandsOverItsRights() {
        QVERIFY2(startHost(), "the dedicated host did not start listening");
        auto alice = std::make_unique<RawClient>(m_port);
        QCOMPARE(alice->next(kWaitMs).value_or("(none)"), std::string("CMD_sendlogininfo+1"));
        alice->send("CMD_logininfo+1+1.0.2+Alice");
        QCOMPARE(alice->next(kWaitMs).value_or("(none)"),
                 std::string("CMD_newplayerinfo+1+Alice+0"));
        RawClient bob(m_port);
        QCOMPARE(bob.next(kWaitMs).value_or("(none)"), std::string("CMD_sendlogininfo+2"));
        bob.send("CMD_logininfo+2+1.0.2+Bob");
        QCOMPARE(bob.next(kWaitMs).value_or("(none)"), std::string("CMD_newplayerinfo+2+Bob+0"));
        QCOMPARE(bob.next(kWaitMs).value_or("(none)"),
                 std::string("CMD_existingplayers+1+Alice+0"));
        alice->send("CMD_startgame+Alice+0+");

        // Bob's view drives both players; Alice answers from it until she leaves.
        ClientBoard board;
        ScriptedSeat aliceScript(1), bobScript(2);
        bool aliceLeft = false, departureAnnounced = false;
        std::string winner;
        while (winner.empty()) {
            auto message = bob.next(kWaitMs);
            QVERIFY2(message, "the game stopped");
            board.apply(*message);
            auto f = fieldsOf(*message);
            if (f[0] == "CMD_winner") winner = *message;
            if (*message == "CMD_playerdisconnected+1+Alice") departureAnnounced = true;
            QVERIFY2(f[0] != "CMD_needcat", message->c_str());
            for (const auto& request : bobScript.answer(board, *message))
                bob.send(request);
            if (aliceLeft) continue;
            auto requests = aliceScript.answer(board, *message);
            // The dice are the host's own, so her second turn may open with a Bramble and
            // leave no roll to wait for; then she leaves in a later turn.
            if (aliceScript.turnsBegun() >= 2 && f[0] == "CMD_createdice" && f[1] == "1") {
                alice.reset(); // gone after her first roll, before choosing a category
                aliceLeft = true;
                continue;
            }
            for (const auto& request : requests)
                alice->send(request);
        }
        QVERIFY(aliceLeft);
        QVERIFY(departureAnnounced);
        QVERIFY2(
            QTest::qWaitFor([this] { return m_err.contains("\ndeparture: slot 1 Alice (left)\n"); },
                            kWaitMs),
            m_err.constData());
        QCOMPARE(board.round, 7);
        for (int seat : {1, 2})
            for (int c = 1; c <= 7; ++c)
                QVERIFY2(board.score(seat, c) != -1,
                         qPrintable(QStringLiteral("seat %1 category %2 open").arg(seat).arg(c)));

        RawClient carol(m_port);
        QCOMPARE(carol.next(kWaitMs).value_or("(none)"), std::string("CMD_sendlogininfo+1"));
        carol.send("CMD_logininfo+1+1.0.2+Carol");
        QCOMPARE(carol.next(kWaitMs).value_or("(none)"),
                 std::string("CMD_newplayerinfo+1+Carol+0"));
        carol.send("CMD_startgame+Carol+2+");
        std::string started;
        while (started.rfind("CMD_startgame+", 0) != 0) {
            auto m = bob.next(kWaitMs);
            QVERIFY2(m, "Carol's start was not obeyed");
            started = *m;
        }
        QCOMPARE(started, std::string("CMD_startgame+Carol+2+"));

        // SIGTERM in the middle of a game: everybody is told in a line of the table's own,
        // then the connections close and the program ends with 0.
        m_host->terminate();
        for (RawClient* client : {&bob, &carol}) {
            std::optional<std::string> m;
            while ((m = client->next(kWaitMs)) &&
                   *m != "CMD_chat+0+The host is shutting down. The game ends here.|clBlue") {
            }
            QVERIFY2(m, "no shutdown line before the connection closed");
            QVERIFY(client->waitClosed(kWaitMs));
        }
        QVERIFY(QTest::qWaitFor([this] { return !hostRunning(); }, kWaitMs));
        QCOMPARE(m_host->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_host->exitCode(), 0);
        QVERIFY2(m_err.contains("\nshutting down\n"), m_err.constData());
        QVERIFY2(m_err.contains("\ndeparture: slot 1 Carol (shutdown)\n"), m_err.constData());
        QVERIFY2(!hasQtWarning(m_err), m_err.constData());
    }
};

QTEST_MAIN(DedicatedProcessTest)
#include "dedicatedprocess_test.moc"
