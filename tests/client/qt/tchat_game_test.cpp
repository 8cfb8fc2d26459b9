// Games played through the table window's own controls against a real game host on a
// loopback port, with the host's timer sped up: a whole solo game against the computer, and
// a second window that joins a running game and sees the same board.

#include "client/boardmodel.h"
#include "client/qt/boardview.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "net/qt/clientconnection.h"
#include "stats/qt/ttallylist.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"
#include "windows/tdownload.h"
#include "windows/tgamestart.h"

#include <QAbstractButton>
#include <QAction>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

#include <memory>

using namespace ui;
using testsupport::boardShows;
using testsupport::chatHas;
using testsupport::clickBoard;

namespace {

constexpr int kWaitMs = 10000;
constexpr double kFast = 50.0; // the host's pauses and computer moves 50 times quicker

std::unique_ptr<Tchat> openWindow(std::vector<std::string> params, quint16 port,
                                  QStringList& boxes) {
    TchatOptions options;
    options.params = std::move(params);
    options.port = port;
    options.timeScale = kFast;
    auto window = std::make_unique<Tchat>(options);
    window->setMessageBox([&boxes](const QString& text) { boxes << text; });
    window->show();
    return window;
}

// Start through the board's Start button and the game options window with the given box.
bool startGame(Tchat& host, const char* box) {
    if (!clickBoard(host, "button_start")) return false;
    Tgamestart* options = host.gameOptions();
    if (!options->isVisible()) return false;
    auto* tick = options->findChild<QAbstractButton*>(box);
    auto* start = options->findChild<QAbstractButton*>("button_start");
    if (!tick || !start) return false;
    QTest::mouseClick(tick, Qt::LeftButton, {}, tick->rect().center());
    QTest::mouseClick(start, Qt::LeftButton, {}, start->rect().center());
    return !options->isVisible();
}

bool myTurnToRoll(const Tchat& w) {
    return w.client().turnseat() == w.client().myslot() && boardShows(w, "button_roll");
}

// One step of a simple strategy, through clicks only: roll; after the first roll choose the
// offered face category with the most dice showing (the straight when no face is offered);
// before each further roll hold the dice that fit the working category. Returns false when
// nothing was clicked.
bool playStep(Tchat& w, QStringList& log) {
    const core::BoardModel& b = w.client().board();
    if (boardShows(w, "panel_error")) return clickBoard(w, "button_no");
    if (boardShows(w, "panel_error1")) return clickBoard(w, "button_ok");
    if (!myTurnToRoll(w)) return false;
    const int working = b.workingCategory;
    if (b.rollsUsed() >= 1 && working == 0) {
        int best = 0;
        int bestCount = -1;
        for (int n = 1; n <= core::kCategories; ++n) {
            if (!b.category(n).selectable) continue;
            int count = 0;
            for (int d = 1; d <= core::kDice; ++d)
                count += b.die(d).face == n ? 1 : 0;
            if (n == 7) count = 0;
            if (count >= bestCount) best = n, bestCount = count;
        }
        if (best && clickBoard(w, QString("image_button%1").arg(best))) {
            log << QString("category %1").arg(best);
            return true;
        }
    }
    if (b.rollsUsed() >= 1 && working != 0) {
        bool seen[7] = {};
        for (int d = 1; d <= core::kDice; ++d) {
            const int face = b.die(d).face;
            const bool keep = working == 7 ? !seen[face] : face == working;
            if (working == 7) seen[face] = true;
            if (b.die(d).held != keep) clickBoard(w, QString("image_d%1").arg(d));
        }
    }
    log << QString("roll after %1").arg(b.rollsUsed());
    return clickBoard(w, "button_roll");
}

// What a late joiner must see of the running game: Ann's board, except that a score of 0 is
// left empty, and seat 2 carries the joiner's own name.
bool sameBoard(const Tchat& ann, const Tchat& joiner, QString& why) {
    const core::BoardModel& a = ann.client().board();
    const core::BoardModel& j = joiner.client().board();
    auto differs = [&why](const QString& what, const std::string& mine, const std::string& theirs) {
        why = QString("%1: %2 vs %3")
                  .arg(what, QString::fromStdString(mine), QString::fromStdString(theirs));
        return false;
    };
    if (j.roundText != a.roundText) return differs("round", a.roundText, j.roundText);
    if (j.limitLabel != a.limitLabel) return differs("limit", a.limitLabel, j.limitLabel);
    if (j.rollsUsed() != a.rollsUsed() || j.scoreturnLeft != a.scoreturnLeft)
        return differs("rolls/column", std::to_string(a.rollsUsed()),
                       std::to_string(j.rollsUsed()));
    for (int d = 1; d <= core::kDice; ++d)
        if (j.die(d).face != a.die(d).face)
            return differs(QString("die %1").arg(d), std::to_string(a.die(d).face),
                           std::to_string(j.die(d).face));
    for (int seat = 1; seat <= core::kSeats; ++seat) {
        const std::string label = seat == 2 ? "Bob" : a.seat(seat).label;
        if (j.seat(seat).label != label) return differs("label", label, j.seat(seat).label);
        for (int row = 1; row <= core::kRows; ++row) {
            const std::string& mine = a.cell(seat, row).text;
            const std::string expected = mine == "0" ? std::string() : mine;
            const QString where = QString("score_%1%2").arg(seat).arg(row);
            if (j.cell(seat, row).text != expected)
                return differs(where, expected, j.cell(seat, row).text);
            if (j.cell(seat, row).bold != a.cell(seat, row).bold)
                return differs(where + " bold", "", "");
        }
    }
    return true;
}

} // namespace

class TchatGameTest : public QObject {
    Q_OBJECT
private slots:
    void soloGameToTheWinner();
    void lateJoinerSeesTheSameBoard();
};

void TchatGameTest::soloGameToTheWinner() {
    testsupport::TempSettingsFile ini;
    QStringList boxes;
    auto you = openWindow({}, testsupport::freePort(), boxes);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(*you, "You are Connected."), kWaitMs);
    QVERIFY(chatHas(*you, "Loading Solo Game..Please wait."));
    QCOMPARE(you->client().playername(), std::string("You"));
    QVERIFY(you->client().hosting());
    QVERIFY(you->download()->isVisible()); // solo play offers the lobby

    QVERIFY(startGame(*you, "image_2"));
    QCOMPARE(ini.value("Rolls"), std::optional<QString>("2"));
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(*you, "You have started a game."), kWaitMs);
    QCOMPARE(you->client().board().limitLabel, std::string("Bonus Rolls Limited to 2 Rolls"));
    QCOMPARE(you->client().board().seat(2).label, std::string("Vosk"));
    QVERIFY(!boardShows(*you, "button_start"));

    // Play until the winner panel shows; the computer plays seat 2 meanwhile.
    QStringList log;
    QElapsedTimer clock;
    clock.start();
    int myTurns = 0;
    int lastRound = 0;
    while (!boardShows(*you, "panel_winner") && clock.elapsed() < 60000) {
        const core::BoardModel& b = you->client().board();
        if (myTurnToRoll(*you) && b.rollsUsed() == 0) {
            const int round = b.roundText.empty() ? 0 : std::stoi(b.roundText.substr(7));
            if (round != lastRound) ++myTurns, lastRound = round;
        }
        if (myTurnToRoll(*you) && b.rollsUsed() == 2 && b.workingCategory != 0)
            testsupport::saveShot(*you, "solo-turn");
        if (b.status.find("BONUS") != std::string::npos) testsupport::saveShot(*you, "solo-bonus");
        if (!playStep(*you, log))
            QTest::qWait(2);
        else
            QCoreApplication::processEvents();
    }
    testsupport::saveShot(*you, "solo-winner");
    QVERIFY2(boardShows(*you, "panel_winner"), qPrintable(log.mid(log.size() - 20).join(", ")));
    QCOMPARE(myTurns, 7);

    const core::BoardModel& b = you->client().board();
    QCOMPARE(b.status, std::string("Game Over!"));
    const QString winner = testsupport::boardText(*you, "label_winner1");
    // Seat 1's name is "You" in solo play, so a tie reads "You and Vosk".
    QVERIFY2(winner == "You have Won the Game!" || winner == "Vosk has Won the Game!" ||
                 winner == "You and Vosk have Won the Game!",
             qPrintable(winner));
    QVERIFY(chatHas(*you, winner));
    // Every category of both seats was scored (a 0 shows as "0"), and the totals add up.
    for (int seat = 1; seat <= 2; ++seat) {
        int sum = 0;
        for (int row = 1; row <= core::kCategories; ++row) {
            const std::string& cell = b.cell(seat, row).text;
            QVERIFY2(!cell.empty(), qPrintable(QString("seat %1 row %2").arg(seat).arg(row)));
            sum += std::stoi(cell);
        }
        QVERIFY(std::stoi(b.cell(seat, 8).text) >= sum); // bonus points come on top
    }
    QVERIFY(boardShows(*you, "button_start"));

    // The game went into the tally, which is saved beside the settings file at once.
    const core::TallyTable& tally = you->tally()->stringgrid_scores();
    QCOMPARE(tally.cell(1, 0), std::string("1"));
    QCOMPARE(tally.cell(2, 0), std::string(winner.contains("You") ? "1" : "0"));
    if (std::stoi(b.cell(1, 8).text) > 0) QCOMPARE(tally.cell(3, 0), b.cell(1, 8).text);
    QVERIFY(QFileInfo::exists(QFileInfo(ini.path()).absolutePath() + "/brambliestally.tld"));
    QVERIFY(you->hostNotices().isEmpty());
    QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('\n')));
}

void TchatGameTest::lateJoinerSeesTheSameBoard() {
    testsupport::TempSettingsFile ini;
    QStringList boxes;
    const quint16 port = testsupport::freePort();
    auto ann = openWindow({"Ann", "127.0.0.1", "true"}, port, boxes);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(*ann, "You are Connected."), kWaitMs);
    QVERIFY(startGame(*ann, "image_5"));

    // Ann plays her first turn whole, the computer its own, and Ann rolls once in round 2
    // and chooses a category: then the table waits for her.
    QStringList log;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        const core::BoardModel& b = ann->client().board();
        if (b.roundText == "Round: 2" && myTurnToRoll(*ann) && b.rollsUsed() == 1 &&
            b.workingCategory != 0)
            break;
        if (!playStep(*ann, log)) QTest::qWait(2);
    }
    QVERIFY2(ann->client().board().roundText == "Round: 2", qPrintable(log.join(", ")));

    // A request the host finds out of place is reported to the hosting player in the notice
    // strip, without a box.
    const int working = ann->client().board().workingCategory;
    ann->connection()->send("CMD_selectcat+1+" + std::to_string(working) + "+");
    QTRY_VERIFY_WITH_TIMEOUT(!ann->hostNotices().isEmpty(), kWaitMs);
    auto* strip = ann->findChild<QLabel*>("label_hostnotice");
    QVERIFY(strip && strip->isVisible());
    QCOMPARE(strip->text(), ann->hostNotices().back());

    auto bob = openWindow({"Bob", "127.0.0.1", "false"}, port, boxes);
    QString why;
    QTRY_VERIFY2_WITH_TIMEOUT(sameBoard(*ann, *bob, why), qPrintable(why), kWaitMs);
    QCOMPARE(bob->client().turnseat(), 1);
    QCOMPARE(bob->client().board().status, std::string("Ann's turn"));
    QVERIFY(bob->client().board().scoreturnVisible);
    // The board shows it too: seat 1's total cell on Bob's board.
    const std::string& annsTotal = ann->client().board().cell(1, 8).text;
    QCOMPARE(testsupport::boardText(*bob, "score_18"),
             annsTotal == "0" ? QString() : QString::fromStdString(annsTotal));
    QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('\n')));
}

QTEST_MAIN(TchatGameTest)
#include "tchat_game_test.moc"
