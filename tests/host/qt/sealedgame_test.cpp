// SPDX-License-Identifier: GPL-3.0-or-later
// A sealed game over a loopback port: Ann's window hosts, Bob's window joins, and a raw peer of
// today's protocol takes seat 3 and plays its turns by script. Both windows know the seal and
// must end the game with the dice check; the raw peer must be sent nothing new but the seal's
// own command words, and play its game exactly as before.

#include "app/qt/hostingcopy.h"
#include "chat/chatmodel.h"
#include "chat/qt/chatpanel.h"
#include "chat/qt/chatview.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "host/qt/hostserver.h"
#include "host/sealedrig.h"
#include "net/messages.h"
#include "support/qt/clientboard.h"
#include "support/qt/rawclient.h"
#include "support/qt/scriptedseat.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"

#include <QtTest>

#include <algorithm>
#include <memory>
#include <set>

using testsupport::chatHas;
using testsupport::ClientBoard;
using testsupport::fieldsOf;
using testsupport::RawClient;
using testsupport::ScriptedSeat;

namespace {

constexpr int kWaitMs = 10000;

std::unique_ptr<ui::Tchat> openWindow(std::vector<std::string> params, quint16 port) {
    ui::TchatOptions options;
    options.params = std::move(params);
    options.port = port;
    options.timeScale = 500.0;
    auto window = std::make_unique<ui::Tchat>(options);
    testsupport::hosting(*window);
    window->setMessageBox([](const QString&) {});
    window->show();
    return window;
}

} // namespace

class SealedGameTest : public QObject {
    Q_OBJECT
private slots:
    void twoWindowsCheckTheDiceAndAnOldPeerPlaysOn();
};

void SealedGameTest::twoWindowsCheckTheDiceAndAnOldPeerPlaysOn() {
    testsupport::TempSettingsFile ini;
    const quint16 port = testsupport::freePort();
    auto ann = openWindow({"Ann", "127.0.0.1", "true"}, port);
    QTRY_VERIFY_WITH_TIMEOUT(ann->client().loggedin(), kWaitMs);
    auto bob = openWindow({"Bob", "127.0.0.1", "false"}, port);
    QTRY_VERIFY_WITH_TIMEOUT(bob->client().loggedin(), kWaitMs);

    RawClient old(port);
    QCOMPARE(old.next().value_or("(none)"), std::string("CMD_sendlogininfo+3"));
    old.send("CMD_logininfo+3+1.0.2+Old");

    // Ann starts; once both windows' parts are in, the computer takes over her seat (and
    // Bob's), and the script plays seat 3.
    ann->client().sendStartGame(0);
    auto* sealed = dynamic_cast<core::SealedTurns*>(
        testsupport::hosting(*ann).hostServer()->gameHost().turnHandler());
    QVERIFY(sealed);
    QTRY_COMPARE_WITH_TIMEOUT(sealed->dice().parts().size(), std::size_t(2), kWaitMs);
    ann->client().JustWatch1Click();
    std::vector<std::string> transcript;
    ClientBoard board;
    ScriptedSeat script(3);
    bool revealed = false;
    while (!revealed) {
        auto message = old.next();
        QVERIFY2(message, "the game stopped");
        transcript.push_back(*message);
        board.apply(*message);
        const auto f = fieldsOf(*message);
        if (f[0] == "CMD_startgame") bob->client().JustWatch1Click();
        revealed = f[0] == "CMD_sealreveal";
        QVERIFY2(f[0] != "CMD_needcat", message->c_str());
        for (const auto& request : script.answer(board, *message))
            old.send(request);
    }
    QCOMPARE(script.turnsBegun(), 7);
    for (int c = 1; c <= 7; ++c)
        QVERIFY(board.score(3, c) != -1);

    // Nothing reached the old peer that an old copy would not know, but the seal's words.
    std::set<std::string> known(core::msg::kToClient.begin(), core::msg::kToClient.end());
    std::set<std::string> newWords;
    for (const auto& m : transcript) {
        const std::string word = fieldsOf(m)[0];
        QVERIFY2(known.count(word), m.c_str());
        if (word.rfind("CMD_seal", 0) == 0) newWords.insert(word);
    }
    QCOMPARE(newWords, (std::set<std::string>{"CMD_sealcommit", "CMD_sealmix", "CMD_sealreveal"}));
    // Both windows' parts went into the seed; the reveal follows the winner at once.
    const auto mix = std::find_if(transcript.begin(), transcript.end(), [](const std::string& m) {
        return m.rfind("CMD_sealmix+", 0) == 0;
    });
    QCOMPARE(fieldsOf(*mix).size(), std::size_t(6));
    QCOMPARE(fieldsOf(*mix)[2], std::string("1"));
    QCOMPARE(fieldsOf(*mix)[4], std::string("2"));
    QCOMPARE(fieldsOf(transcript[transcript.size() - 2])[0], std::string("CMD_winner"));

    const QString verdict = QStringLiteral("Dice check: all %1 rolls of this game came from the "
                                           "sealed seed.")
                                .arg(sealtest::rollsIn(transcript));
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(*ann, verdict), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(*bob, verdict), kWaitMs);
    // Laid out as the table's other lines: no head of its own, single spaces.
    const auto& lines = bob->chat()->view()->model().lines();
    QVERIFY(std::any_of(lines.begin(), lines.end(), [](const core::ChatLine& line) {
        return line.items.size() > 1 && line.items[0].text == " " &&
               line.items[1].text == "Dice " && line.items[2].text == "check: ";
    }));
    testsupport::saveShot(*bob, QStringLiteral("sealed-game-bob"));
}

QTEST_MAIN(SealedGameTest)
#include "sealedgame_test.moc"
