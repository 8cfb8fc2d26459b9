// SPDX-License-Identifier: GPL-3.0-or-later
// Coming back to a held seat with real table windows against a real game host on a loopback
// port. Ann plays through a raw connection of today's protocol (an old copy: it must see
// nothing it cannot parse); Bob is a table window, once in this process with its connection
// cut by the host, once the real program killed during its turn and started again with the
// same command line.

#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "game/randomsource.h"
#include "host/qt/hostserver.h"
#include "host/turnengine.h"
#include "net/messages.h"
#include "support/qt/rawclient.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"

#include <QProcess>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <string>

#ifndef BRAMBLIES_EXE
#error "BRAMBLIES_EXE must name the program under test"
#endif

using namespace ui;
using testsupport::chatHas;
using testsupport::RawClient;

namespace {

constexpr int kWaitMs = 20000; // generous: the machine may be busy

// A host with the program's turn engine, its pace sped up, seats held for 60 s.
struct Table {
    HostServer host;
    core::SeededRandom dice{7};
    core::TurnEngine engine{host.state(), dice};
    quint16 port = 0;

    Table() {
        host.setTurnHandler(&engine);
        host.setTimeScale(50);
        host.gameHost().setHoldSeconds(60);
        if (host.listen(0)) port = host.serverPort();
    }
    ~Table() { host.setTurnHandler(nullptr); }
    const core::PlayerSlot& seat(int n) { return host.state().slot(n); }
    bool onTurn(int n) { return host.state().turn.currentseat == n && seat(n).turnactive; }
    bool seated(int n, const char* name) {
        return seat(n).connected && host.gameHost().loggedIn(n) && seat(n).name == name;
    }
};

// Ann, an old copy in slot 1; everything she receives is kept to be checked at the end.
struct Ann {
    RawClient wire;
    std::vector<std::string> seen;

    explicit Ann(quint16 port) : wire(port) {}
    bool login() {
        auto first = wire.next(kWaitMs);
        if (!first || *first != "CMD_sendlogininfo+1") return false;
        wire.send("CMD_logininfo+1+1.0.2+Ann");
        return true;
    }
    void drain() {
        while (auto m = wire.next(50))
            seen.push_back(*m);
    }
    // Her whole turn: roll all, the first open face, two rolls of no die.
    bool playTurn(Table& t) {
        wire.send("CMD_rollthedice+1+1+2+3+4+5");
        if (!QTest::qWaitFor([&] { return t.seat(1).rolls >= 1 || !t.seat(1).turnactive; },
                             kWaitMs))
            return false;
        if (t.seat(1).turnactive && t.seat(1).workingcat == 0) {
            int c = 1;
            while (t.seat(1).score(c) != -1)
                ++c;
            wire.send("CMD_selectcat+1+" + std::to_string(c) + "+");
        }
        wire.send("CMD_rollthedice+1+0");
        wire.send("CMD_rollthedice+1+0");
        return QTest::qWaitFor([&] { return !t.seat(1).turnactive; }, kWaitMs);
    }
    // Nothing but today's command words reached her.
    QString unknownSeen() {
        drain();
        for (const auto& m : seen) {
            const std::string word = m.substr(0, m.find('+'));
            const bool known = std::find(core::msg::kToClient.begin(), core::msg::kToClient.end(),
                                         word) != core::msg::kToClient.end() &&
                               word.rfind("CMD_seat", 0) != 0;
            if (!known) return QString::fromStdString(m);
        }
        return {};
    }
};

} // namespace

class SeatReturnTest : public QObject {
    Q_OBJECT

private slots:
    void cutConnectionReconnectsByItself();
    void killedWindowIsBackInItsSeatAfterARestart();
};

void SeatReturnTest::cutConnectionReconnectsByItself() {
    testsupport::TempSettingsFile ini("[bramblies]\nPlaysounds=false\n");
    Table t;
    QVERIFY(t.port);
    Ann ann(t.port);
    QVERIFY(ann.login());
    QTRY_VERIFY_WITH_TIMEOUT(t.seated(1, "Ann"), kWaitMs);

    QStringList boxes;
    TchatOptions options;
    options.params = {"Bob", "127.0.0.1", "false"};
    options.port = t.port;
    Tchat bob(options);
    bob.setMessageBox([&boxes](const QString& text) { boxes << text; });
    bob.show();
    QTRY_VERIFY_WITH_TIMEOUT(t.seated(2, "Bob"), kWaitMs);

    ann.wire.send("CMD_startgame+Ann+0+");
    QTRY_VERIFY_WITH_TIMEOUT(bob.client().holdsSeatToken(), kWaitMs);
    QVERIFY(ann.playTurn(t));
    QTRY_VERIFY_WITH_TIMEOUT(t.onTurn(2) && bob.client().board().rollVisible, kWaitMs);
    bob.move(bob.pos() + QPoint(120, 80)); // where the player put it
    const QPoint at = bob.pos();

    // Cut on his turn: no Roll to press while he is away, and the window stays put.
    t.host.close(2); // the host's end of Bob's connection
    QTRY_VERIFY_WITH_TIMEOUT(
        chatHas(bob, QString::fromUtf8("Connection lost \u2014 reconnecting\u2026")), kWaitMs);
    QVERIFY(!bob.client().loggedin() && !bob.client().board().rollVisible);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(bob, "You are back in your seat."), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(t.seated(2, "Bob"), kWaitMs);
    QCOMPARE(bob.client().myslot(), 2);
    QVERIFY(bob.isVisible());
    QCOMPARE(bob.pos(), at);
    QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join("; ")));

    // The game goes on with Bob in his seat (the computer may have played his turn meanwhile):
    // his turn waits for him.
    QTRY_VERIFY_WITH_TIMEOUT(t.onTurn(1) || t.onTurn(2), kWaitMs);
    if (t.onTurn(1)) QVERIFY(ann.playTurn(t));
    QTRY_VERIFY_WITH_TIMEOUT(t.onTurn(2) && bob.client().board().rollVisible, kWaitMs);
    QCOMPARE(t.engine.pendingAction(), core::TurnEngine::Action::None);
    const QString unknown = ann.unknownSeen();
    QVERIFY2(unknown.isEmpty(), qPrintable(unknown));
}

void SeatReturnTest::killedWindowIsBackInItsSeatAfterARestart() {
    testsupport::TempSettingsFile ini("[bramblies]\nPlaysounds=false\n");
    Table t;
    QVERIFY(t.port);
    Ann ann(t.port);
    QVERIFY(ann.login());
    QTRY_VERIFY_WITH_TIMEOUT(t.seated(1, "Ann"), kWaitMs);

    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("BRAMBLIES_SETTINGS_FILE", ini.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const QStringList args{"--port", QString::number(t.port), "Bob", "127.0.0.1", "false"};
    auto startBob = [&] {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(BRAMBLIES_EXE), args);
        return p;
    };
    auto bob = startBob();
    QVERIFY(bob->waitForStarted(kWaitMs));
    QTRY_VERIFY_WITH_TIMEOUT(t.seated(2, "Bob"), kWaitMs);

    ann.wire.send("CMD_startgame+Ann+0+");
    QVERIFY(QTest::qWaitFor([&] { return t.onTurn(1); }, kWaitMs));
    QVERIFY(ann.playTurn(t));
    QTRY_VERIFY_WITH_TIMEOUT(t.onTurn(2), kWaitMs);
    const QString place = "Seattoken@127.0.0.1:" + QString::number(t.port);
    QTRY_COMPARE_WITH_TIMEOUT(ini.value(place).value_or("").size(), 32, kWaitMs);

    bob->kill(); // during his own turn
    QVERIFY(bob->waitForFinished(kWaitMs));
    QTRY_VERIFY_WITH_TIMEOUT(t.host.gameHost().seatHeld(2), kWaitMs);
    QVERIFY(t.seat(2).ingame);
    // The computer finishes his turn, and Ann plays hers.
    QTRY_VERIFY_WITH_TIMEOUT(t.onTurn(1), kWaitMs);
    const auto scores = t.seat(2).scores;
    QCOMPARE(std::count(scores.begin() + 1, scores.end(), -1), 6L);

    auto again = startBob();
    QVERIFY(again->waitForStarted(kWaitMs));
    QTRY_VERIFY_WITH_TIMEOUT(t.seated(2, "Bob"), kWaitMs);
    QVERIFY(!t.host.gameHost().seatHeld(2));
    QVERIFY(t.seat(2).scores == scores);

    QVERIFY(ann.playTurn(t));
    QTRY_VERIFY_WITH_TIMEOUT(t.onTurn(2), kWaitMs);
    QVERIFY(!t.host.state().isComputerPlayed(2));
    QCOMPARE(t.engine.pendingAction(), core::TurnEngine::Action::None);
    const QString unknown = ann.unknownSeen();
    QVERIFY2(unknown.isEmpty(), qPrintable(unknown));

    again->kill();
    again->waitForFinished(kWaitMs);
}

QTEST_MAIN(SeatReturnTest)
#include "seatreturn_test.moc"
