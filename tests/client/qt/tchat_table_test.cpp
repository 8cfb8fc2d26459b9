// SPDX-License-Identifier: GPL-3.0-or-later
// Whole table windows in one process around a real game host on a loopback port: who is at
// the table, the chat between the windows, the hosting player's seat menu, closing.

#include "app/qt/auxwindowset.h"
#include "app/qt/hostingcopy.h"
#include "chat/chatmodel.h"
#include "chat/qt/chatpanel.h"
#include "chat/qt/chatview.h"
#include "client/qt/boardview.h"
#include "client/qt/gamekeys.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "host/qt/hostserver.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"
#include "windows/tgamestart.h"
#include "windows/tspylist.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <functional>
#include <memory>

using namespace ui;
using testsupport::chatHas;

namespace {

constexpr int kWaitMs = 10000;

struct Table {
    testsupport::TempSettingsFile ini;
    quint16 port = testsupport::freePort();
    std::vector<std::unique_ptr<Tchat>> windows;
    QStringList boxes;

    Tchat& open(const char* name, bool host) {
        TchatOptions options;
        options.params = {name, "127.0.0.1", host ? "true" : "false"};
        options.port = port;
        auto window = std::make_unique<Tchat>(options);
        testsupport::hosting(*window);
        testsupport::auxWindows(*window);
        window->setMessageBox(
            [this, name](const QString& text) { boxes << QString("%1: %2").arg(name, text); });
        window->show();
        windows.push_back(std::move(window));
        return *windows.back();
    }
};

} // namespace

class TchatTableTest : public QObject {
    Q_OBJECT
private slots:
    void windowShape();
    void arrivalsChatAndRemoval();
    void spectatorAndJustWatch();
    void chatGrowsWithTheWindow();
};

void TchatTableTest::windowShape() {
    testsupport::TempSettingsFile ini;
    Tchat window;
    testsupport::hosting(window);
    QCOMPARE(window.windowTitle(), QString("Bramblies"));
    QCOMPARE(window.size(), QSize(704, 501));

    // Every item of the menu table, with its caption and check state.
    struct Item {
        const char* name;
        const char* text;
        bool checkable;
        bool checked;
    };
    const Item items[] = {
        {"StartGame1", "Start Game", false, false},
        {"Exit1", "Exit", false, false},
        {"PlaySounds1", "Play Sounds", true, true},
        {"PlayChatterSounds1", "Play Chatter Sounds", true, true},
        {"Classic1", "Classic", true, true},
        {"New1", "New", true, false},
        {"remindme1", "Remind Me to Select a Category", true, true},
        {"Slow1", "Slow", true, false},
        {"Normal1", "Normal", true, true},
        {"Fast1", "Fast", true, false},
        {"TextColor1", "Text Color", false, false},
        {"N8", "8", true, false},
        {"N10", "10", true, true},
        {"N12", "12", true, false},
        {"N14", "14", true, false},
        {"ScrollChatOff1", "Scroll Chat Off", true, false},
        {"ClearMainChat1", "Clear Main Chat", false, false},
        {"ResetScreenLocation1", "Reset Screen Location", false, false},
        {"JustWatch1", "Just Watch", true, false},
        {"Hint1", "Hint", false, false},
        {"ClassicComputer1", "Classic", true, true},
        {"ExpertComputer1", "Expert", true, false},
        {"HoldSeats1", "Hold Seats of Dropped Players", true, true},
        {"ViewTally1", "View Tally", false, false},
        {"SpyList1", "Spy List", false, false},
        {"PrhaseList1", "Phrase List", false, false},
        {"Help2", "Content", false, false},
        {"About1", "About", false, false},
        {"CheckoutBramblesSolo1", "Check out Brambles Solo!", false, false},
    };
    for (const Item& item : items) {
        QAction* a = window.menuAction(item.name);
        QVERIFY2(a, item.name);
        QCOMPARE(a->text().remove('&'), QString(item.text));
        QCOMPARE(a->isCheckable(), item.checkable);
        QCOMPARE(a->isChecked(), item.checked);
    }
    // ... and each in its menu, in the table's order, the solo item on the bar itself.
    QStringList layout;
    std::function<QString(const QList<QAction*>&)> walk = [&walk](const QList<QAction*>& actions) {
        QStringList parts;
        for (QAction* a : actions) {
            if (a->isSeparator()) continue;
            const QString text = a->text().remove('&'); // the mnemonics' marks
            parts << (a->menu() ? text + "{" + walk(a->menu()->actions()) + "}" : text);
        }
        return parts.join(", ");
    };
    QCOMPARE(walk(window.menuBar()->actions()),
             QString("File{Start Game, Hint, Exit}, "
                     "Options{Play Sounds, Play Chatter Sounds, Turn Sound{Classic, New}, "
                     "Speak Game Events, Speak Chat Lines, Remind Me to Select a Category, Bot "
                     "Speed{Slow, Normal, Fast}, Text Color, "
                     "Text Size{8, 10, 12, 14}, Scroll Chat Off, Clear Main Chat, "
                     "Reset Screen Location, Just Watch, Computer Player{Classic, Expert}, "
                     "Hold Seats of Dropped Players}, "
                     "View{View Tally, Spy List, Phrase List}, Help{Content, Keyboard Play{" +
                     GameKeys::keyList().join(", ") +
                     "}, About}, "
                     "Check out Brambles Solo!"));
    QCOMPARE(window.menuAction("ScrollChatOff1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(window.menuAction("Help2")->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(window.menuAction("StartGame1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    // "Start Game" waits for hosting; nothing is connected yet.
    QVERIFY(!window.menuAction("StartGame1")->isEnabled());

    // The board and the chat share the window without overlapping.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto inWindow = [&window](QWidget* w) {
        return QRect(w->mapTo(&window, QPoint(0, 0)), w->size());
    };
    const QRect board = inWindow(window.board());
    const QRect chat = inWindow(window.chat());
    QVERIFY(!board.intersects(chat));
    QVERIFY(board.width() >= 300 && chat.width() >= 250);
}

void TchatTableTest::arrivalsChatAndRemoval() {
    Table t;
    Tchat& ann = t.open("Ann", true);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(ann, "You are Connected."), kWaitMs);
    QVERIFY(ann.client().hosting());
    QVERIFY(ann.menuAction("StartGame1")->isEnabled());
    HostServer* host = testsupport::hosting(ann).hostServer();
    QVERIFY(host && host->isListening());

    Tchat& bob = t.open("Bob", false);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(bob, "You are Connected."), kWaitMs);
    // A joining copy carries the player's name and offers no seat holding, which is the host's.
    QCOMPARE(ann.windowTitle(), QString("Bramblies"));
    QCOMPARE(bob.windowTitle(), QString("Bramblies - Bob"));
    QVERIFY(ann.menuAction("HoldSeats1")->isEnabled());
    QVERIFY(!bob.menuAction("HoldSeats1")->isEnabled());
    QVERIFY(bob.menuAction("HoldSeats1")->toolTip().contains("hosts"));
    Tchat& cat = t.open("Cat", false);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(cat, "You are Connected."), kWaitMs);

    // Arrivals: the newcomer hears of everybody already there, everybody hears of the newcomer.
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(ann, "Bob is Connected.") && chatHas(ann, "Cat is Connected."),
                             kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(bob, "Ann is Connected.") && chatHas(bob, "Cat is Connected."),
                             kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(cat, "Ann is Connected.") && chatHas(cat, "Bob is Connected."),
                             kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(cat.client().board().seat(2).label, std::string("Bob"), kWaitMs);
    QVERIFY(!bob.menuAction("StartGame1")->isEnabled());
    QVERIFY(!testsupport::boardShows(bob, "button_start"));
    QVERIFY(testsupport::boardShows(ann, "button_start"));

    // A line typed in one window reaches every window in the sender's colour.
    bob.chat()->setTextColour(0x00008000); // clGreen
    QLineEdit* entry = bob.chat()->entry();
    QTest::keyClicks(entry, "hello all");
    QTest::keyClick(entry, Qt::Key_Return);
    for (Tchat* w : {&ann, &bob, &cat}) {
        QTRY_VERIFY_WITH_TIMEOUT(chatHas(*w, "Bob chats: hello all"), kWaitMs);
        const core::ChatModel& model = w->chat()->view()->model();
        QCOMPARE(model.lines().back().style, 2); // Bob's slot
        QCOMPARE(model.style(2).colour, 0x00008000u);
        QVERIFY(model.style(2).bold);
    }
    // Cat leaves by the menu; the others see it.
    cat.menuAction("Exit1")->trigger();
    QVERIFY(!cat.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(ann, "Cat disconnected.") && chatHas(bob, "Cat disconnected."),
                             kWaitMs);
    QCOMPARE(ann.client().board().seat(3).label, std::string("<Waiting>"));

    // Joining copies see the seat menu disabled; the hosting copy removes Bob with it.
    auto* bobsMenu = bob.board()->findChild<QMenu*>("popup_kick");
    QVERIFY(bobsMenu);
    bob.client().label_playernameMouseUp(1);
    QVERIFY(!bob.client().seatMenu().removeEnabled);

    QWidget* label2 = ann.board()->findChild<QWidget*>("label_playername2");
    QVERIFY(label2);
    QTest::mouseClick(label2, Qt::RightButton, {}, label2->rect().center());
    auto* menu = ann.board()->findChild<QMenu*>("popup_kick");
    QAction* remove = nullptr;
    for (QAction* a : menu->actions())
        if (a->objectName() == "RemoveFromGame1") remove = a;
    QVERIFY(remove && remove->isEnabled());
    menu->hide();
    remove->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!bob.isVisible(), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(ann, "Bob disconnected."), kWaitMs);
    QVERIFY(ann.isVisible());
    QCOMPARE(ann.client().board().seat(2).label, std::string("Vosk"));
    QCOMPARE(t.boxes, QStringList{"Bob: The connection to the game host was closed."});

    // The hosting window going away closes the table for everybody left, with a word.
    Tchat& dan = t.open("Dan", false);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(dan, "You are Connected."), kWaitMs);
    t.boxes.clear();
    ann.close();
    QTRY_VERIFY_WITH_TIMEOUT(!dan.isVisible(), kWaitMs);
    QCOMPARE(t.boxes, QStringList{"Dan: The connection to the game host was closed."});
}

void TchatTableTest::spectatorAndJustWatch() {
    Table t;
    Tchat& ann = t.open("Ann", true);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(ann, "You are Connected."), kWaitMs);
    for (const char* name : {"B", "C", "D", "E", "F"})
        t.open(name, false);
    Tchat& spy = t.open("Spy", false);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(spy, "You are spying."), kWaitMs);
    QCOMPARE(spy.client().myslot(), 7);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(ann, "Spy is spying."), kWaitMs);

    // The hosting player starts a game through the game options window.
    Tchat& b = *t.windows[1];
    QTRY_VERIFY_WITH_TIMEOUT(b.client().loggedin(), kWaitMs);
    ann.menuAction("StartGame1")->trigger();
    Tgamestart* options = testsupport::auxWindows(ann).gameOptions();
    QVERIFY(options->isVisible());
    auto* start = options->findChild<QAbstractButton*>("button_start");
    QVERIFY(start);
    QTest::mouseClick(start, Qt::LeftButton, {}, start->rect().center());
    QVERIFY(!options->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(ann, "You have started a game."), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(b, "Ann has started a game."), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(spy, "Ann has started a game."), kWaitMs);

    // A seated player switches to just watching and back through the menu; the mark
    // follows the host's answer.
    b.menuAction("JustWatch1")->trigger();
    QVERIFY(!b.menuAction("JustWatch1")->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(b.menuAction("JustWatch1")->isChecked(), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(ann, "B is just watching"), kWaitMs);
    QVERIFY(testsupport::boardShows(ann, "image_eyes2"));
    b.menuAction("JustWatch1")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!b.menuAction("JustWatch1")->isChecked(), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(ann, "B is now playing again"), kWaitMs);

    // A tenth copy is turned away.
    Tchat& late1 = t.open("G", false);
    Tchat& late2 = t.open("H", false);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(late2, "You are spying."), kWaitMs);
    Tchat& full = t.open("Full", false);
    QTRY_VERIFY_WITH_TIMEOUT(!full.isVisible(), kWaitMs);
    QVERIFY(t.boxes.contains("Full: Game is full"));
    QVERIFY(late1.isVisible());

    // The spectator list of every copy holds the spectators; the hosting player removes one
    // from it, and the others see him leave.
    QCOMPARE(testsupport::auxWindows(ann).spyList()->entries(),
             (QStringList{"7: Spy", "8: G", "9: H"}));
    QCOMPARE(testsupport::auxWindows(spy).spyList()->entries().first(), QString("7: Spy"));
    emit testsupport::auxWindows(ann).spyList()->kickRequested(7);
    QTRY_VERIFY_WITH_TIMEOUT(!spy.isVisible(), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(chatHas(ann, "Spy has left.") && chatHas(b, "Spy has left."), kWaitMs);
    QCOMPARE(testsupport::auxWindows(ann).spyList()->entries(), (QStringList{"8: G", "9: H"}));
}

void TchatTableTest::chatGrowsWithTheWindow() {
    testsupport::TempSettingsFile ini;
    TchatOptions options;
    options.params = {"Ann"}; // too few to connect anywhere
    Tchat window(options);
    testsupport::hosting(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ChatPanel& chat = *window.chat();
    chat.addlinetochat("1+Hello :) there", 0x800000);
    auto line = [&chat] {
        return chat.view()->itemRect(chat.view()->model().lines().size() - 1, 0);
    };
    auto button = [&chat] { return chat.findChild<QWidget*>("b_phrase1")->height(); };
    QCOMPARE(chat.scale(), 1.0);
    const int rowAtNormal = line().height(), buttonAtNormal = button();
    const int entryAtNormal = chat.entry()->font().pixelSize();

    // Enlarged, the chat grows as the board does; the chosen size stays the base.
    window.resize(1280, 900);
    QTRY_VERIFY(window.board()->scale() > 1.5);
    QTRY_VERIFY(qAbs(chat.scale() - window.board()->scale()) <= 0.03);
    QVERIFY(line().height() >= rowAtNormal * 1.5);
    QVERIFY(button() >= buttonAtNormal * 1.4);
    QVERIFY(chat.entry()->font().pixelSize() >= entryAtNormal * 1.5);
    QCOMPARE(chat.textSize(), 10);
    QVERIFY(window.menuAction("N10")->isChecked());
    QCOMPARE(window.settings().textSize(), 10);
    const int rowAt10 = line().height();
    window.menuAction("N14")->trigger();
    QCOMPARE(chat.textSize(), 14);
    QVERIFY(line().height() > rowAt10);

    // Back at the normal size the chosen size is drawn as it is.
    window.menuAction("N10")->trigger();
    window.resize(Tchat::kDefaultWidth, Tchat::kDefaultHeight);
    QTRY_COMPARE(chat.scale(), 1.0);
    QCOMPARE(line().height(), rowAtNormal);
    QCOMPARE(button(), buttonAtNormal);
}

QTEST_MAIN(TchatTableTest)
#include "tchat_table_test.moc"
