// SPDX-License-Identifier: GPL-3.0-or-later
// Games played through the table window's own controls against a real game host on a
// loopback port, with the host's timer sped up: a whole solo game against the computer, and
// a second window that joins a running game and sees the same board.

#include "app/qt/auxwindowset.h"
#include "client/boardmodel.h"
#include "client/qt/boardview.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "net/qt/clientconnection.h"
#include "stats/qt/ttallylist.h"
#include "stats/tallyfile.h"
#include "support/qt/gamedriver.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"
#include "widgets/dieview.h"
#include "windows/tdownload.h"
#include "windows/tgamestart.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

#include <map>
#include <memory>
#include <set>

using namespace ui;
using testsupport::boardShows;
using testsupport::chatHas;
using testsupport::clickBoard;
using testsupport::clickMove;
using testsupport::Move;
using testsupport::myTurnToRoll;
using testsupport::nextMove;

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
    testsupport::hosting(*window);
    testsupport::auxWindows(*window);
    window->setMessageBox([&boxes](const QString& text) { boxes << text; });
    window->show();
    return window;
}

// Start through the board's Start button and the game options window with the given box.
bool startGame(Tchat& host, const char* box) {
    if (!clickBoard(host, "button_start")) return false;
    Tgamestart* options = testsupport::auxWindows(host).gameOptions();
    if (!options->isVisible()) return false;
    auto* tick = options->findChild<QAbstractButton*>(box);
    auto* start = options->findChild<QAbstractButton*>("button_start");
    if (!tick || !start) return false;
    QTest::mouseClick(tick, Qt::LeftButton, {}, tick->rect().center());
    QTest::mouseClick(start, Qt::LeftButton, {}, start->rect().center());
    return !options->isVisible();
}

// The dice held when the roll button was last clicked, by number with the face they showed.
using Holds = std::map<int, int>;

// One move of the shared strategy, by clicks; kept in the log, the holds of a roll in `holds`.
bool playStep(Tchat& w, QStringList& log, Holds* holds = nullptr) {
    const Move move = nextMove(w);
    if (move.kind == Move::Kind::Roll) {
        log << QString("roll after %1").arg(w.client().board().rollsUsed());
        if (holds) {
            holds->clear();
            for (int d : move.keep)
                (*holds)[d] = w.client().board().die(d).face;
        }
    }
    const bool moved = clickMove(w, move);
    if (moved && move.kind == Move::Kind::Category)
        log << QString("category %1").arg(move.category);
    return moved;
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
    for (int d = 1; d <= core::kDiceCount; ++d)
        if (j.die(d).face != a.die(d).face)
            return differs(QString("die %1").arg(d), std::to_string(a.die(d).face),
                           std::to_string(j.die(d).face));
    for (int seat = 1; seat <= core::kSeatCount; ++seat) {
        const std::string label = seat == 2 ? "Bob" : a.seat(seat).label;
        if (j.seat(seat).label != label) return differs("label", label, j.seat(seat).label);
        for (int row = 1; row <= core::kScoreRows; ++row) {
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

// The same comparison on the widgets a player looks at: both windows have the same size, so
// the column highlight and the dice sit in the same places. Bob sees the dice at rest and
// every category offered, the working one with its bar.
bool sameBoardShown(const Tchat& ann, const Tchat& bob, QString& why) {
    const BoardView* a = ann.board();
    const BoardView* j = bob.board();
    auto child = [](const BoardView* board, const QString& name) {
        auto* w = board->findChild<QWidget*>(name);
        if (!w) qFatal("missing %s", qPrintable(name));
        return w;
    };
    auto fail = [&why](const QString& text) {
        why = text;
        return false;
    };
    for (const char* name : {"label_round", "label_rl"})
        if (testsupport::boardText(ann, name) != testsupport::boardText(bob, name))
            return fail(QString("%1: %2 vs %3")
                            .arg(name, testsupport::boardText(ann, name),
                                 testsupport::boardText(bob, name)));
    for (int seat = 1; seat <= core::kSeatCount; ++seat) {
        for (int row = 1; row <= core::kScoreRows; ++row) {
            const QString name = QString("score_%1%2").arg(seat).arg(row);
            auto* ca = static_cast<QLabel*>(child(a, name));
            auto* cj = static_cast<QLabel*>(child(j, name));
            const QString expected = ca->text() == "0" ? QString() : ca->text();
            if (cj->text() != expected) return fail(name + ": " + expected + " vs " + cj->text());
            if (cj->font().bold() != ca->font().bold() ||
                cj->palette().color(QPalette::WindowText) !=
                    ca->palette().color(QPalette::WindowText))
                return fail(name + " style");
        }
        if (seat >= 3) {
            const QString mark = QString("image_notplaying%1").arg(seat);
            if (child(a, mark)->isVisibleTo(a) != child(j, mark)->isVisibleTo(j)) return fail(mark);
        }
    }
    QWidget* ha = child(a, "image_scoreturn");
    QWidget* hj = child(j, "image_scoreturn");
    if (!hj->isVisibleTo(j) || ha->geometry() != hj->geometry()) return fail("image_scoreturn");
    const int working = ann.client().board().workingCategory;
    for (int n = 1; n <= core::kCategoryCount; ++n) {
        if (!child(j, QString("image_button%1").arg(n))->isVisibleTo(j))
            return fail(QString("image_button%1 hidden").arg(n));
        QWidget* bar = child(j, QString("image_spacer%1").arg(n));
        if (bar->isVisibleTo(j) != (n == working)) return fail(QString("image_spacer%1").arg(n));
        if (n == working && bar->geometry() != child(a, bar->objectName())->geometry())
            return fail(bar->objectName() + " geometry");
    }
    const int restY = child(j, "image_d1")->y();
    for (int d = 1; d <= core::kDiceCount; ++d) {
        const QString name = QString("image_d%1").arg(d);
        auto* da = static_cast<DieView*>(child(a, name));
        auto* dj = static_cast<DieView*>(child(j, name));
        if (dj->isCleared() || dj->face() != da->face())
            return fail(QString("%1 shows %2 vs %3").arg(name).arg(da->face()).arg(dj->face()));
        if (dj->y() != restY) return fail(name + " not at rest");
    }
    if (testsupport::boardText(bob, "label_status") != "Ann's turn") return fail("status");
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
    // Solo play offers the lobby, in a window that follows the table window's first picture.
    QTRY_VERIFY(testsupport::auxWindows(*you).download()->isVisible());

    QVERIFY(startGame(*you, "image_2"));
    QCOMPARE(ini.value("Rolls"), std::optional<QString>("2"));
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(*you, "You have started a game."), kWaitMs);
    QCOMPARE(you->client().board().limitLabel, std::string("Bonus Rolls Limited to 2 Rolls"));
    QCOMPARE(you->client().board().seat(2).label, std::string("Vosk"));
    QVERIFY(!boardShows(*you, "button_start"));

    // Play until the winner panel shows; the computer plays seat 2 meanwhile.
    QStringList log;
    // Every roll result for seat 1 that follows a roll with held dice must leave those dice
    // alone: not named in the result, same face, still raised above the rolled ones.
    Holds holds;
    int rollsWithHolds = 0;
    QStringList holdFaults;
    connect(
        you->connection(), &ClientConnection::entryReady, you.get(), [&](const std::string& entry) {
            if (entry.rfind("CMD_createdice+1+", 0) != 0) return;
            if (!holds.empty()) {
                ++rollsWithHolds;
                const QStringList fields = QString::fromStdString(entry).split('+');
                std::set<int> named;
                // All five held: the roll names only the placeholder die 0.
                for (int i = 3; i + 1 < fields.size(); i += 2)
                    if (fields[i].toInt() != 0) named.insert(fields[i].toInt());
                const core::BoardModel& b = you->client().board();
                for (const auto& [die, face] : holds) {
                    auto* view = you->board()->findChild<DieView*>(QString("image_d%1").arg(die));
                    if (named.count(die) || b.die(die).face != face || !b.die(die).held ||
                        b.die(die).top != core::kDieRaisedTop || view->face() != face)
                        holdFaults << QString::fromStdString(entry);
                }
                for (int die : named) {
                    auto* rolled = you->board()->findChild<DieView*>(QString("image_d%1").arg(die));
                    auto* held = you->board()->findChild<DieView*>(
                        QString("image_d%1").arg(holds.begin()->first));
                    if (holds.count(die) == 0 && !(held->y() < rolled->y()))
                        holdFaults << "raised: " + QString::fromStdString(entry);
                }
            }
            holds.clear();
        });
    int myTurns = 0;
    int lastRound = 0;
    int categoryClicks = 0;
    auto step = [&] {
        const core::BoardModel& b = you->client().board();
        if (myTurnToRoll(*you) && b.rollsUsed() == 0) {
            const int round = b.roundText.empty() ? 0 : std::stoi(b.roundText.substr(7));
            if (round != lastRound) ++myTurns, lastRound = round;
        }
        if (myTurnToRoll(*you) && b.rollsUsed() == 2 && b.workingCategory != 0)
            testsupport::saveShot(*you, "solo-turn");
        if (b.status.find("BONUS") != std::string::npos) testsupport::saveShot(*you, "solo-bonus");
        const qsizetype before = log.size();
        const bool moved = playStep(*you, log, &holds);
        if (log.size() > before && log.back().startsWith("category")) ++categoryClicks;
        return moved;
    };
    testsupport::playUntil([&] { return boardShows(*you, "panel_winner"); }, step, 60000);
    testsupport::saveShot(*you, "solo-winner");
    you->resize(1100, 760);
    QCoreApplication::processEvents();
    testsupport::saveShot(*you, "solo-winner-large");
    you->resize(Tchat::kDefaultWidth, Tchat::kDefaultHeight);
    QVERIFY2(boardShows(*you, "panel_winner"), qPrintable(log.mid(log.size() - 20).join(", ")));
    QCOMPARE(myTurns, 7);
    // The game was played through holds and category choices, and holds did what they say.
    QVERIFY2(holdFaults.isEmpty(), qPrintable(holdFaults.join('\n')));
    QVERIFY(rollsWithHolds > 0);
    QVERIFY(categoryClicks > 0);

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
        for (int row = 1; row <= core::kCategoryCount; ++row) {
            const std::string& cell = b.cell(seat, row).text;
            QVERIFY2(!cell.empty(), qPrintable(QString("seat %1 row %2").arg(seat).arg(row)));
            sum += std::stoi(cell);
        }
        QVERIFY(std::stoi(b.cell(seat, 8).text) >= sum); // bonus points come on top
    }
    QVERIFY(boardShows(*you, "button_start"));

    // The game went into the tally, which is saved beside the settings file at once.
    const core::TallyTable& tally = testsupport::auxWindows(*you).tally()->stringgrid_scores();
    QCOMPARE(tally.cell(1, 0), std::string("1"));
    QCOMPARE(tally.cell(2, 0), std::string(winner.contains("You") ? "1" : "0"));
    if (std::stoi(b.cell(1, 8).text) > 0) QCOMPARE(tally.cell(3, 0), b.cell(1, 8).text);
    // On disk already, the game's best score included.
    core::TallyTable saved;
    core::TallyFile(QFileInfo(ini.path()).absolutePath().toStdString()).load(saved);
    QCOMPARE(saved.cell(1, 0), std::string("1"));
    QCOMPARE(saved.cell(3, 0), tally.cell(3, 0));
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

    // Ann plays her first turn whole, the computer its own, and in a later round Ann rolls
    // once and chooses a category: then the table waits for her. (A Bramble on a first roll
    // ends that turn at once, so it may take more than one round.)
    QStringList log;
    auto waitingForAnn = [&ann] {
        const core::BoardModel& b = ann->client().board();
        return b.roundText != "Round: 0" && b.roundText != "Round: 1" && myTurnToRoll(*ann) &&
               b.rollsUsed() == 1 && b.workingCategory != 0;
    };
    testsupport::playUntil([&] { return waitingForAnn() || boardShows(*ann, "panel_winner"); },
                           [&] { return playStep(*ann, log); }, 30000);
    QVERIFY2(waitingForAnn(), qPrintable(log.join(", ")));

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
    QVERIFY2(sameBoardShown(*ann, *bob, why), qPrintable(why));
    testsupport::saveShot(*bob, "late-joiner");
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
