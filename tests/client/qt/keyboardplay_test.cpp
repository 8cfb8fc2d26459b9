// SPDX-License-Identifier: GPL-3.0-or-later
// The table window played from the keyboard alone: a whole solo game against the computer
// through key events sent where the keyboard focus is, and the keys' edges (typing in the
// chat line, the warning panels, Tab between the parts of the window).

#include "app/qt/auxwindowset.h"
#include "client/boardmodel.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "net/qt/clientconnection.h"
#include "support/qt/gamedriver.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"
#include "widgets/focusring.h"
#include "windows/tgamestart.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace ui;
using testsupport::boardShows;
using testsupport::chatHas;
using testsupport::Move;
using testsupport::myTurnToRoll;

namespace {

constexpr int kWaitMs = 10000;

std::unique_ptr<Tchat> soloWindow() {
    TchatOptions options;
    options.port = testsupport::freePort();
    options.timeScale = 50.0;
    auto window = std::make_unique<Tchat>(options);
    testsupport::hosting(*window);
    testsupport::auxWindows(*window);
    window->setMessageBox([](const QString&) {});
    window->show();
    window->activateWindow();
    return window;
}

// A key pressed and released where the keyboard focus is.
void press(Tchat& w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow();
    if (!target) target = &w;
    QTest::keyClick(target, Qt::Key(key), mods);
}

QString focusName() {
    QWidget* f = QApplication::focusWidget();
    return f ? f->objectName() : QString();
}

// One move of the shared strategy, by keys only: Escape and Enter answer the warnings,
// Alt+digit chooses a category, a digit toggles a die's hold, R rolls.
bool keyStep(Tchat& w) {
    const Move move = testsupport::nextMove(w);
    switch (move.kind) {
    case Move::Kind::Wait:
        return false;
    case Move::Kind::AnswerNo:
        press(w, Qt::Key_Escape);
        break;
    case Move::Kind::AnswerOk:
        press(w, Qt::Key_Return);
        break;
    case Move::Kind::Category:
        press(w, Qt::Key_0 + move.category, Qt::AltModifier);
        break;
    case Move::Kind::Roll:
        for (int d = 1; d <= core::kDiceCount; ++d) {
            const bool keep = std::find(move.keep.begin(), move.keep.end(), d) != move.keep.end();
            if (w.client().board().die(d).held != keep) press(w, Qt::Key_0 + d);
        }
        press(w, Qt::Key_R);
        break;
    }
    return true;
}

} // namespace

class KeyboardPlayTest : public QObject {
    Q_OBJECT
private slots:
    void soloGameByKeysAlone();
    void menusAndGameOptionsByKeys();
};

void KeyboardPlayTest::soloGameByKeysAlone() {
    testsupport::TempSettingsFile ini;
    auto you = soloWindow();
    QVERIFY(QTest::qWaitForWindowActive(you.get()));
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(*you, "You are Connected."), kWaitMs);
    QStringList heard;
    connect(you->connection(), &ClientConnection::entryReady, you.get(),
            [&heard](const std::string& e) { heard << QString::fromStdString(e); });

    // Typing in the chat line stays in the chat line: no game key acts there.
    you->findChild<QLineEdit*>("mychat")->setFocus();
    QTRY_COMPARE(focusName(), QString("mychat"));
    press(*you, Qt::Key_R);
    press(*you, Qt::Key_1);
    press(*you, Qt::Key_Space);
    QCOMPARE(you->findChild<QLineEdit*>("mychat")->text(), QString("r1 "));

    // A focus ring is drawn whole, even around the phrase button at the chat card's edge.
    auto ringOn = [&you](const QString& name) -> QWidget* {
        for (auto* ring : you->findChildren<FocusRing*>())
            if (ring->target() && ring->target()->objectName() == name) return ring;
        return nullptr;
    };
    you->findChild<QWidget*>("b_phrase1")->setFocus();
    QTRY_VERIFY(ringOn("b_phrase1") && ringOn("b_phrase1")->isVisible());
    QVERIFY(ringOn("b_phrase1")->parentWidget()->rect().contains(ringOn("b_phrase1")->geometry()));
    you->findChild<QLineEdit*>("mychat")->setFocus();

    // Tab leads from the chat line into the dice tray (no ring around a blank die); the
    // arrows walk it to Start, Space presses Start, and Enter confirms the game options.
    press(*you, Qt::Key_Tab);
    QCOMPARE(focusName(), QString("image_d1"));
    QVERIFY(!ringOn("image_d1")->isVisible());
    for (int i = 0; i < 5; ++i)
        press(*you, Qt::Key_Right);
    QCOMPARE(focusName(), QString("button_start"));
    press(*you, Qt::Key_Space);
    Tgamestart* options = testsupport::auxWindows(*you).gameOptions();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(options));
    press(*you, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(*you, "You have started a game."), kWaitMs);
    // Start went away with the focus; the focus stayed in the tray.
    QTRY_VERIFY2(focusName().startsWith("image_d") || focusName() == "button_roll",
                 qPrintable(focusName()));

    bool shotDie = false;
    bool shotTile = false;
    QString onTile;    // the focus after Tab from the tray
    QString backAgain; // and after Shift+Tab from the tiles
    auto step = [&] {
        const core::BoardModel& b = you->client().board();
        if (!shotDie && myTurnToRoll(*you) && b.rollsUsed() == 1 && b.workingCategory == 0) {
            // The focus rings, looked at: on a die, then on a category tile.
            press(*you, Qt::Key_Tab, Qt::ShiftModifier);
            press(*you, Qt::Key_Tab); // back in the tray, on the die last focused
            testsupport::saveShot(*you, "keys-focus-die");
            press(*you, Qt::Key_Tab);
            onTile = focusName();
            press(*you, Qt::Key_Down);
            testsupport::saveShot(*you, "keys-focus-tile");
            press(*you, Qt::Key_Tab, Qt::ShiftModifier);
            backAgain = focusName();
            shotDie = shotTile = true;
        }
        return keyStep(*you);
    };
    testsupport::playUntil([&] { return boardShows(*you, "panel_winner"); }, step, 60000);
    QVERIFY(shotDie && shotTile);
    QVERIFY2(onTile.startsWith("image_button"), qPrintable(onTile));
    QVERIFY2(backAgain.startsWith("image_d") || backAgain == "button_roll", qPrintable(backAgain));
    QVERIFY(boardShows(*you, "panel_winner"));
    // The winner's banner covers the dice: no ring is drawn over it.
    you->findChild<QWidget*>("image_d1")->setFocus();
    QTRY_COMPARE(focusName(), QString("image_d1"));
    QVERIFY(ringOn("image_d1") && !ringOn("image_d1")->isVisible());
    QTRY_VERIFY(!heard.filter(QRegularExpression("^CMD_winner\\+")).isEmpty());
    const core::BoardModel& b = you->client().board();
    for (int row = 1; row <= core::kCategoryCount; ++row)
        QVERIFY2(!b.cell(1, row).text.empty(), qPrintable(QString("row %1").arg(row)));
    testsupport::saveShot(*you, "keys-winner");
}

// The menus open from the keyboard, Ctrl+N starts a game, and the game options are chosen
// with Tab, the arrows and Space alone.
void KeyboardPlayTest::menusAndGameOptionsByKeys() {
    testsupport::TempSettingsFile ini;
    auto you = soloWindow();
    QVERIFY(QTest::qWaitForWindowActive(you.get()));
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(*you, "You are Connected."), kWaitMs);
    QStringList heard;
    connect(you->connection(), &ClientConnection::entryReady, you.get(),
            [&heard](const std::string& e) { heard << QString::fromStdString(e); });
    auto openMenu = [] {
        QWidget* popup = QApplication::activePopupWidget();
        return popup ? popup->objectName() : QString();
    };
    auto closeMenu = [&] {
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_COMPARE(openMenu(), QString());
    };
    press(*you, Qt::Key_F10);
    QTRY_COMPARE(openMenu(), QString("File1"));
    testsupport::saveShot(*you, "keys-menu-f10");
    closeMenu();
    press(*you, Qt::Key_H, Qt::AltModifier);
    QTRY_COMPARE(openMenu(), QString("Help1"));
    closeMenu();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(you.get()));

    Tgamestart* options = testsupport::auxWindows(*you).gameOptions();
    options->setLimit(0);
    press(*you, Qt::Key_N, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(options));
    // The focus starts on the ticked box; the arrows carry the tick, Tab the focus alone.
    QTRY_COMPARE(focusName(), QString("image_0"));
    press(*you, Qt::Key_Down); // past the last box to the first
    QCOMPARE(options->limit(), 1);
    QCOMPARE(focusName(), QString("image_1"));
    press(*you, Qt::Key_Tab);
    QCOMPARE(focusName(), QString("image_2"));
    QCOMPARE(options->limit(), 1);
    press(*you, Qt::Key_Space);
    QCOMPARE(options->limit(), 2);
    QVERIFY(options->isTicked("image_2") && !options->isTicked("image_1"));
    press(*you, Qt::Key_Up);
    press(*you, Qt::Key_Right);
    QCOMPARE(options->limit(), 2);
    press(*you, Qt::Key_Tab, Qt::ShiftModifier);
    press(*you, Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focusName(), QString("button_start"));
    press(*you, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(
        !heard.filter(QRegularExpression("^CMD_startgame\\+You\\+2\\+")).isEmpty(), kWaitMs);
}

QTEST_MAIN(KeyboardPlayTest)
#include "keyboardplay_test.moc"
