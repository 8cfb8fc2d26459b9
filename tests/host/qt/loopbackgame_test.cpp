// SPDX-License-Identifier: GPL-3.0-or-later
// A whole game over a loopback port. The host is wired as the dedicated host wires it (host
// server, turn engine with seeded dice, sped-up game timer); a scripted raw client in slot 1
// starts the game and plays its seven turns against the computer in seat 2, and a second raw
// client that arrives mid-game must be told the board the first one drew from the broadcasts.

#include "host/qt/hostserver.h"
#include "host/turnengine.h"
#include "support/qt/clientboard.h"
#include "support/qt/rawclient.h"
#include "support/qt/scriptedseat.h"

#include <QtTest>

#include <memory>
#include <string>
#include <vector>

using testsupport::ClientBoard;
using testsupport::fieldsOf;
using testsupport::RawClient;
using testsupport::ScriptedSeat;

class LoopbackGameTest : public QObject {
    Q_OBJECT

private slots:
    void slotOnePlaysSevenTurnsAndALateJoinerCatchesUp() {
        ui::HostServer server;
        server.setTimeScale(500); // the computer's 750 ms become 1.5 ms
        auto turns = core::makeTurnEngine(server.state(), 20240607);
        server.setTurnHandler(turns.get());
        QVERIFY(server.listen(0));

        RawClient alice(server.serverPort());
        QCOMPARE(alice.next().value_or("(none)"), std::string("CMD_sendlogininfo+1"));
        alice.send("CMD_logininfo+1+1.0.2+Alice");
        QCOMPARE(alice.next().value_or("(none)"), std::string("CMD_newplayerinfo+1+Alice+0"));
        alice.send("CMD_startgame+Alice+0+");

        ClientBoard board;
        ScriptedSeat aliceScript(1);
        std::unique_ptr<RawClient> bob;
        std::string winner;
        while (winner.empty()) {
            auto message = alice.next();
            QVERIFY2(message, "the game stopped");
            board.apply(*message);
            auto f = fieldsOf(*message);
            if (f[0] == "CMD_winner") winner = *message;
            QVERIFY2(f[0] != "CMD_needcat", message->c_str());
            auto requests = aliceScript.answer(board, *message);
            if (f[0] == "CMD_nextplayer" && f[1] == "1") {
                QCOMPARE(board.round, aliceScript.turnsBegun());
                if (aliceScript.turnsBegun() == 4) {
                    // Bob arrives while Alice thinks over her fourth turn; he is given slot 2,
                    // which the computer has been playing.
                    bob = std::make_unique<RawClient>(server.serverPort());
                    QCOMPARE(bob->next().value_or("(none)"), std::string("CMD_sendlogininfo+2"));
                    bob->send("CMD_logininfo+2+1.0.2+Bob");
                    QCOMPARE(bob->next().value_or("(none)"),
                             std::string("CMD_newplayerinfo+2+Bob+0"));
                    QCOMPARE(bob->next().value_or("(none)"),
                             std::string("CMD_existingplayers+1+Alice+0"));
                    QCOMPARE(bob->next().value_or("(none)"), board.loadstats(2));
                    QCOMPARE(bob->next().value_or("(none)"), board.loadscores(2, 2));
                    // He lets the computer go on playing his seat.
                    bob->send("CMD_justwatch+2+1");
                }
            }
            for (const auto& request : requests)
                alice.send(request);
        }
        const int myTurns = aliceScript.turnsBegun();
        QCOMPARE(myTurns, 7);
        for (int seat : {1, 2})
            for (int c = 1; c <= 7; ++c)
                QVERIFY2(board.score(seat, c) != -1,
                         qPrintable(QStringLiteral("seat %1 category %2 open").arg(seat).arg(c)));

        // Bob saw the same ending.
        QVERIFY(bob);
        std::string last;
        while (last.rfind("CMD_winner+", 0) != 0) {
            auto m = bob->next();
            QVERIFY2(m, "Bob was not told the winner");
            last = *m;
        }
        QCOMPARE(last, winner);
    }
};

QTEST_MAIN(LoopbackGameTest)
#include "loopbackgame_test.moc"
