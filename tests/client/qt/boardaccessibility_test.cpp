// SPDX-License-Identifier: GPL-3.0-or-later
// The table window as an assistive tool sees it: every control a user can reach or click has
// a name and a role, the painted board controls read their exact texts in a known game, a
// die's hold announces itself when its key is pressed, and spoken events reach the speech
// sink only while "Speak Game Events" is on; without an engine the switch is greyed and the
// table says so once.

#include "chat/chatmodel.h"
#include "chat/qt/chatpanel.h"
#include "chat/qt/chatview.h"
#include "chat/settings.h"
#include "client/qt/gamespeech.h"
#include "client/qt/speechsink.h"
#include "client/qt/tchat.h"
#include "client/qt/texttospeechsink.h"
#include "client/tableclient.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace ui;

namespace {

// Seat 1 is "Me" (this window), seat 2 Ann; Ann has just scored 12 in Fours.
void knownGame(Tchat& w) {
    core::TableClient& c = w.client();
    for (const char* m :
         {"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+Me+0", "CMD_existingplayers+2+Ann+0",
          "CMD_startgame+Me+5+", "CMD_nextplayer+2+1+1+2+3+4+5+6+7",
          "CMD_createdice+2+1+1+3+2+4+3+4+4+4+5+6", "CMD_selectedcat+2+4",
          "CMD_postscores+2+12+12+4"})
        c.handleMessage(m);
}

QString nameOf(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

// Every accessibility event, as "object name: event type".
QStringList* g_events = nullptr;
void recordEvent(QAccessibleEvent* event) {
    if (!g_events || !event->object()) return;
    QString line = event->object()->objectName() + ": " + QString::number(event->type());
    if (event->type() == QAccessible::StateChanged &&
        static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked)
        line += " checked";
    *g_events << line;
}

// Qt hands accessibility events on only while an assistive tool listens; the platform's
// accessibility object is what a tool switches on.
void listening(bool on) {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(on);
}

class FakeSink : public SpeechSink {
public:
    QString why;
    QStringList said;
    QString unavailableReason() const override { return why; }
    void say(const QString& text) override { said << text; }
};

} // namespace

class BoardAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void everyControlHasNameAndRole();
    void boardTextsInAKnownGame();
    void holdKeyAnnouncesTheDie();
    void speechFollowsTheSwitch();
};

void BoardAccessibilityTest::everyControlHasNameAndRole() {
    testsupport::TempSettingsFile ini;
    Tchat window;
    testsupport::hosting(window);
    knownGame(window);
    QStringList nameless;
    int visited = 0;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* i) {
        ++visited;
        auto* w = qobject_cast<QWidget*>(i->object());
        const bool shown = !w || w == &window || w->isVisibleTo(&window);
        const bool reachable = w && (w->focusPolicy() & Qt::TabFocus);
        const bool clickable =
            qobject_cast<QAbstractButton*>(w) ||
            (i->actionInterface() && !i->actionInterface()->actionNames().isEmpty());
        const bool cell = i->role() == QAccessible::Cell;
        if (shown && (reachable || clickable || cell) &&
            (i->text(QAccessible::Name).isEmpty() || i->role() == QAccessible::NoRole))
            nameless << (w ? w->objectName() + " (" + w->metaObject()->className() + ")"
                           : QString("role %1").arg(i->role()));
        for (int n = 0; n < i->childCount(); ++n)
            if (QAccessibleInterface* child = i->child(n)) walk(child);
    };
    walk(QAccessible::queryAccessibleInterface(&window));
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(", ")));
    QVERIFY(visited > 100); // the board's controls and the sheet's 48 cells are in the tree
}

void BoardAccessibilityTest::boardTextsInAKnownGame() {
    testsupport::TempSettingsFile ini;
    Tchat window;
    testsupport::hosting(window);
    knownGame(window);
    auto child = [&window](const char* name) { return window.findChild<QWidget*>(name); };
    QCOMPARE(nameOf(child("image_button4")), QString("Fours, scored 12"));
    QCOMPARE(nameOf(child("label_playername2")), QString("Seat 2: Ann, on turn"));
    QCOMPARE(nameOf(child("label_playername3")), QString("Seat 3: <Waiting>, not playing"));
    QCOMPARE(nameOf(child("image_d2")), QString("Die 2: four"));
    QCOMPARE(nameOf(child("image_rolls")), QString("1 of 3 rolls used"));

    QAccessibleInterface* sheet = QAccessible::queryAccessibleInterface(child("scoresheet"));
    QCOMPARE(sheet->role(), QAccessible::Table);
    QAccessibleTableInterface* table = sheet->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 8);
    QCOMPARE(table->columnCount(), 6);
    QCOMPARE(table->cellAt(3, 1)->text(QAccessible::Name), QString("Ann, Fours: 12"));
    QCOMPARE(table->cellAt(7, 0)->text(QAccessible::Name), QString("Me, Total: not scored"));
    QCOMPARE(table->cellAt(3, 1)->role(), QAccessible::Cell);
}

void BoardAccessibilityTest::holdKeyAnnouncesTheDie() {
    testsupport::TempSettingsFile ini;
    Tchat window;
    testsupport::hosting(window);
    knownGame(window);
    core::TableClient& c = window.client();
    c.handleMessage("CMD_nextplayer+1+1+1+2+3+4+5+6+7");
    c.handleMessage("CMD_createdice+1+1+1+4+2+4+3+5+4+4+5+1");
    QWidget* die = window.findChild<QWidget*>("image_d3");
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(die);
    QCOMPARE(iface->text(QAccessible::Name), QString("Die 3: five"));
    QVERIFY(iface->state().checkable && !iface->state().checked);

    QStringList events;
    g_events = &events;
    listening(true);
    QAccessible::installUpdateHandler(recordEvent);
    QTest::keyClick(&window, Qt::Key_3);
    QAccessible::installUpdateHandler(nullptr);
    listening(false);
    g_events = nullptr;

    QVERIFY(c.board().die(3).held);
    QCOMPARE(iface->text(QAccessible::Name), QString("Die 3: five, held"));
    QVERIFY(iface->state().checked);
    QVERIFY2(events.contains(QString("image_d3: %1 checked").arg(QAccessible::StateChanged)),
             qPrintable(events.join('\n')));
    QVERIFY(events.contains(QString("image_d3: %1").arg(QAccessible::NameChanged)));
    QVERIFY2(events.filter(QRegularExpression("^image_d[1245]:")).isEmpty(),
             qPrintable(events.join(", ")));
}

void BoardAccessibilityTest::speechFollowsTheSwitch() {
    testsupport::TempSettingsFile ini;
    Tchat window;
    testsupport::hosting(window);
    knownGame(window);
    core::Settings settings(ini.path().toStdString());
    FakeSink sink;
    GameSpeech speech(window.client(), settings, sink);
    QAction* on = speech.action();
    QCOMPARE(on->text(), QString("Speak Game Events"));
    QVERIFY(on->isEnabled() && !on->isChecked()); // off by default

    auto hear = [&](const char* entry) {
        window.client().handleMessage(entry);
        speech.hostEvent(*core::decodeHostEntry(entry));
    };
    hear("CMD_nextplayer+2+2+1+2+3+5+6+7");
    QVERIFY(sink.said.isEmpty());
    on->trigger();
    QCOMPARE(ini.value("Speakgameevents"), std::optional<QString>("true"));
    hear("CMD_createdice+2+1+1+2+2+2+3+5+4+6+5+2");
    hear("CMD_selectedcat+2+2");
    hear("CMD_chat+2+Ann chats: hi|clBlack");
    QVERIFY(speech.chatAction()->isEnabled());
    speech.chatAction()->trigger();
    hear("CMD_chat+2+Ann chats: good luck|clBlack");
    QCOMPARE(sink.said, (QStringList{"Speak Game Events", "Ann rolled 2, 2, 5, 6, 2.",
                                     "Ann chose Twos.", "Ann chats: good luck"}));

    // No engine: the switch is disabled, says why, and nothing is spoken.
    FakeSink mute;
    mute.why = "No speech engine is installed.";
    GameSpeech silent(window.client(), settings, mute);
    QVERIFY(!silent.action()->isEnabled() && !silent.action()->isChecked());
    QCOMPARE(silent.action()->toolTip(), mute.why);
    silent.hostEvent(*core::decodeHostEntry("CMD_selectedcat+2+2"));
    QVERIFY(mute.said.isEmpty());

    // An engine that fails once asked: the tick is taken back, stored off, and said once.
    settings.setSpeakEvents(false);
    QVERIFY(settings.loadinifile());
    FakeSink failing;
    GameSpeech broken(window.client(), settings, failing);
    QSignalSpy told(&broken, &GameSpeech::unavailable);
    failing.why = "The speech engine could not be started.";
    broken.action()->trigger();
    QVERIFY(!broken.action()->isEnabled() && !broken.action()->isChecked());
    QCOMPARE(ini.value("Speakgameevents"), std::optional<QString>("false"));
    QCOMPARE(failing.said, QStringList{"Speak Game Events"});
    broken.settingsLoaded();
    QCOMPARE(told.size(), 1);

    // The real sink without its module (none beside the tests): the same, and no crash; the
    // table window says so once, in its own colour, and names what to install.
    TextToSpeechSink real;
    const QString none = "No speech engine is installed: install the packages "
                         "qt6-speech-speechd-plugin and speech-dispatcher.";
    QCOMPARE(real.unavailableReason(), none);
    real.say("Ann chose Twos.");
    QCOMPARE(real.unavailableReason(), none);
    QAction* windowSwitch = window.menuAction("SpeakGameEvents1");
    QVERIFY(!windowSwitch->isEnabled());
    QCOMPARE(windowSwitch->toolTip(), none);
    const QString line = "Game events cannot be spoken. " + none;
    const QStringList chat = testsupport::chatText(window);
    QCOMPARE(chat.count(line), 1);
    const core::ChatModel& model = window.chat()->view()->model();
    const auto& said = model.lines()[static_cast<std::size_t>(chat.indexOf(line))];
    QCOMPARE(model.style(said.style).colour, window.client().systemcolour());
}

QTEST_MAIN(BoardAccessibilityTest)
#include "boardaccessibility_test.moc"
