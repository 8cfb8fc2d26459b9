// SPDX-License-Identifier: GPL-3.0-or-later
// The Hint and the Computer Player items in a solo game against the computer: the hint by its
// key and by the File menu during the player's own turn (its note below the dice at any window
// size, closed by its key, Escape or a click; the raised dice; nothing sent), and both items
// greyed where they can do nothing.

#include "client/boardmodel.h"
#include "client/coach.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "net/qt/clientconnection.h"
#include "support/qt/gamedriver.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace ui;
using testsupport::myTurnToRoll;

namespace {

constexpr int kWaitMs = 20000;

std::unique_ptr<Tchat> window(const std::vector<std::string>& params, quint16 port) {
    TchatOptions options;
    options.params = params;
    options.port = port;
    options.timeScale = 50.0;
    auto w = std::make_unique<Tchat>(options);
    testsupport::hosting(*w);
    w->setMessageBox([](const QString&) {});
    w->show();
    w->activateWindow();
    return w;
}

QLabel* note(Tchat& w) {
    return w.findChild<QLabel*>("label_hint");
}

bool noteShows(Tchat& w, const QString& text) {
    return note(w) && note(w)->isVisible() && note(w)->text() == text;
}

// The note lies as wide as the row of dice, below it, and covers neither the status line, a die
// nor Roll.
bool noteClearOfPlay(Tchat& w) {
    auto at = [&w](const char* name) { return w.findChild<QWidget*>(name)->geometry(); };
    const QRect n = note(w)->geometry();
    const QRect row = at("image_d1").united(at("image_d5"));
    for (const char* name : {"label_status", "button_roll", "image_d1", "image_d3", "image_d5"})
        if (n.intersects(at(name))) return false;
    return n.left() == row.left() && n.right() == row.right() && n.top() > row.bottom();
}

void pressH(Tchat& w) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &w, Qt::Key_H);
}

} // namespace

class CoachMenuTest : public QObject {
    Q_OBJECT
private slots:
    void hintDuringTheOwnTurnOnly();
};

void CoachMenuTest::hintDuringTheOwnTurnOnly() {
    testsupport::TempSettingsFile ini;
    const quint16 port = testsupport::freePort();
    auto you = window({}, port);
    QVERIFY(QTest::qWaitForWindowActive(you.get()));
    QTRY_VERIFY_WITH_TIMEOUT(you->client().loggedin(), kWaitMs);
    QAction* hint = you->menuAction("Hint1");
    QAction* computer = you->menuAction("ComputerPlayerMenu1");
    // Before a game there is no turn to advise on; the computer player is this copy's host's.
    QVERIFY(!hint->isEnabled());
    QVERIFY(computer->isEnabled());

    you->client().sendStartGame(5);
    QTRY_VERIFY_WITH_TIMEOUT(myTurnToRoll(*you), kWaitMs);
    QVERIFY(hint->isEnabled());
    // A first roll that is a straight scores at once and ends the turn: roll again on the
    // next own turn until a first roll leaves something to advise on.
    auto afterFirstRoll = [&you] {
        return myTurnToRoll(*you) && you->client().board().rollsUsed() == 1 &&
               !you->client().diceAnimating();
    };
    for (int attempt = 0; attempt < 6 && !afterFirstRoll(); ++attempt) {
        QTRY_VERIFY_WITH_TIMEOUT(myTurnToRoll(*you), kWaitMs);
        QVERIFY(testsupport::clickBoard(*you, "button_roll"));
        QTRY_VERIFY_WITH_TIMEOUT(afterFirstRoll() || !myTurnToRoll(*you), kWaitMs);
    }
    QVERIFY(afterFirstRoll());

    // H: the note over the dice, the dice to keep raised, and nothing sent.
    const int sent = you->connection()->sentCount();
    const auto advice = core::Coach::hint(you->client().myPosition(), you->client().bonusLimit());
    QVERIFY(advice);
    const QString text = QString::fromStdString(advice->text);
    pressH(*you);
    QTRY_VERIFY(noteShows(*you, text));
    auto raised = [&you] {
        std::vector<int> dice;
        for (int d = 1; d <= core::kDiceCount; ++d)
            if (you->client().board().die(d).held) dice.push_back(d);
        return dice;
    };
    QCOMPARE(raised(), advice->hold);
    QVERIFY(noteClearOfPlay(*you));
    QCOMPARE(you->connection()->sentCount(), sent);

    // H again, Escape and a click each close the note; File > Hint gives the same advice.
    pressH(*you);
    QVERIFY(!note(*you)->isVisible());
    hint->trigger();
    QVERIFY(noteShows(*you, text));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!note(*you)->isVisible());
    hint->trigger();
    QTest::mouseClick(note(*you), Qt::LeftButton);
    QVERIFY(!note(*you)->isVisible());

    // The player's own holds, changed by the hint, are said to be.
    int other = 1;
    while (other < core::kDiceCount && std::count(advice->hold.begin(), advice->hold.end(), other))
        ++other;
    you->client().image_dMouseUp(other, core::MouseButton::Left);
    hint->trigger();
    QVERIFY(noteShows(*you, text + " Your holds were changed to match."));
    QCOMPARE(raised(), advice->hold);
    QCOMPARE(you->connection()->sentCount(), sent);

    // It keeps its place under the dice as the window shrinks and grows.
    for (const QSize size : {you->minimumSize(), QSize(1400, 1000)}) {
        you->resize(size);
        QTRY_COMPARE(you->size(), size);
        QVERIFY(noteClearOfPlay(*you));
        testsupport::saveShot(*you, QStringLiteral("hint-%1").arg(size.width()));
    }

    // The next roll takes the note away; playing the turn out greys the item.
    for (int n = 1; n <= core::kCategoryCount; ++n)
        if (you->client().board().category(n).selectable) {
            you->client().categoryClick(n);
            break;
        }
    QTRY_VERIFY_WITH_TIMEOUT(you->client().board().workingCategory != 0, kWaitMs);
    QVERIFY(testsupport::clickBoard(*you, "button_roll"));
    QVERIFY(!note(*you)->isVisible());
    QVERIFY(!hint->isEnabled()); // the roll is on its way
    QVERIFY(testsupport::playUntil(
        [&you] { return you->client().turnseat() != you->client().myslot(); },
        [&you] { return testsupport::clickMove(*you, testsupport::nextMove(*you)); }, kWaitMs));
    QTRY_VERIFY(!hint->isEnabled());
    const int before = you->connection()->sentCount();
    pressH(*you);
    hint->trigger();
    QVERIFY(!note(*you)->isVisible());
    QCOMPARE(you->connection()->sentCount(), before);

    // A copy that joins someone else's table has no computer player to pick.
    auto bob = window({"Bob", "127.0.0.1", "false"}, port);
    QTRY_VERIFY_WITH_TIMEOUT(bob->client().loggedin(), kWaitMs);
    QVERIFY(!bob->menuAction("ComputerPlayerMenu1")->isEnabled());
    QVERIFY(!bob->menuAction("Hint1")->isEnabled());
    QVERIFY(computer->isEnabled());
}

QTEST_MAIN(CoachMenuTest)
#include "coachmenu_test.moc"
