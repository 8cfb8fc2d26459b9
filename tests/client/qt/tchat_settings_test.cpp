// SPDX-License-Identifier: GPL-3.0-or-later
// The table window's preferences: menu switches write the settings file at once, a later
// window reads them back when the host lets it in, the close rule keeps a moved window's
// place, and chatter sounds with "Play Chatter Sounds" off become a chat line.
// The host's messages are handed to the window's client directly; no network is needed.

#include "app/qt/auxwindowset.h"
#include "chat/qt/chatpanel.h"
#include "chat/qt/chattersoundmenu.h"
#include "chat/qt/chatview.h"
#include "chat/qt/soundplayer.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"
#include "windows/tgamestart.h"

#include <QAction>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace ui;

namespace {

// The host's welcome for a copy on `slot` named `name`.
void letIn(Tchat& w, int slot, const std::string& name) {
    w.client().handleMessage("CMD_sendlogininfo+" + std::to_string(slot) + "+");
    w.client().handleMessage("CMD_newplayerinfo+" + std::to_string(slot) + "+" + name + "+0+");
}

class SilentOutput : public SoundOutput {
public:
    QStringList* started;
    explicit SilentOutput(QStringList* log) : started(log) {}
    void stop() override {}
    void start(const QString& path) override { *started << path; }
};

} // namespace

class TchatSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void switchesAreWrittenAndReadBack();
    void closeKeepsAMovedWindow();
    void chatterSoundsOffAndSpectators();
    void aReadOnlyFileIsToldOnceAndKept();
};

void TchatSettingsTest::switchesAreWrittenAndReadBack() {
    testsupport::TempSettingsFile ini("[other]\nkeep=me\n");
    {
        Tchat first;
        testsupport::hosting(first);
        struct Flip {
            const char* item;
            const char* key;
            const char* value;
        };
        const Flip flips[] = {
            {"PlaySounds1", "Playsounds", "false"},
            {"PlayChatterSounds1", "Playerphrasesounds", "false"},
            {"New1", "Turnsound", "1"},
            {"remindme1", "Remindme", "false"},
            {"Fast1", "Botspeed", "350"},
            {"N12", "Textsize", "12"},
        };
        for (const Flip& f : flips) {
            first.menuAction(f.item)->trigger();
            QCOMPARE(ini.value(f.key).value_or("<missing>"), QString(f.value));
        }
        QVERIFY(!first.menuAction("remindme1")->isChecked());
        QVERIFY(!first.client().remindMe());
        QVERIFY(first.menuAction("Fast1")->isChecked() &&
                !first.menuAction("Normal1")->isChecked());
        // Closing a window whose settings were never read leaves the placement alone.
        first.show();
        first.move(200, 100);
        first.close();
        QVERIFY(!ini.value("Left"));
    }
    QCOMPARE(ini.value("keep", "other"), std::optional<QString>("me"));

    ini.write(ini.contents() + "Phrase3=Nicely done\nRolls=5\nTextcolor=clRed\n");
    Tchat second;
    testsupport::hosting(second);
    QVERIFY(
        second.menuAction("PlaySounds1")->isChecked()); // start values until the host lets us in
    letIn(second, 1, "Ann");
    QVERIFY(!second.menuAction("PlaySounds1")->isChecked());
    QVERIFY(!second.menuAction("PlayChatterSounds1")->isChecked());
    QVERIFY(second.menuAction("New1")->isChecked() && !second.menuAction("Classic1")->isChecked());
    QVERIFY(!second.menuAction("remindme1")->isChecked());
    QVERIFY(!second.client().remindMe());
    QVERIFY(second.menuAction("Fast1")->isChecked());
    QVERIFY(second.menuAction("N12")->isChecked());
    QCOMPARE(second.chat()->textSize(), 12);
    QCOMPARE(second.chat()->textColour(), 0x000000FFu);
    QCOMPARE(second.chat()->phrase(3), QString("Nicely done"));
    QCOMPARE(second.chat()->phrase(1), QString("Way To Go!"));
    QCOMPARE(testsupport::auxWindows(second).gameOptions()->limit(), 5);
    QVERIFY(testsupport::auxWindows(second).gameOptions()->isTicked("image_5"));
    QCOMPARE(second.settings().botSpeed(), 350);
}

void TchatSettingsTest::closeKeepsAMovedWindow() {
    testsupport::TempSettingsFile ini("[bramblies]\nLeft=40\nTop=30\nWidth=720\nHeight=520\n");
    Tchat window;
    testsupport::hosting(window);
    window.show();
    letIn(window, 1, "Ann");
    QCOMPARE(window.size(), QSize(720, 520));
    // "Reset Screen Location" puts the window home; the close rule then stores it.
    window.menuAction("ResetScreenLocation1")->trigger();
    QCOMPARE(window.size(), QSize(704, 501));
    window.close();
    QCOMPARE(ini.value("Width"), std::optional<QString>("704"));
    QCOMPARE(ini.value("Height"), std::optional<QString>("501"));
    QCOMPARE(ini.value("Left"), std::optional<QString>(QString::number(window.pos().x())));
}

void TchatSettingsTest::chatterSoundsOffAndSpectators() {
    testsupport::TempSettingsFile ini("[bramblies]\nPlayerphrasesounds=false\n");
    Tchat seated;
    testsupport::hosting(seated);
    QStringList started;
    seated.soundPlayer()->setOutput(std::make_unique<SilentOutput>(&started));
    letIn(seated, 1, "Ann");
    seated.client().handleMessage("CMD_newplayerinfo+2+Bob+0+");
    QVERIFY(started.contains(SoundPlayer::resourcePath("entered")));

    // Bob's chatter sound reads as a line in blue, Bob's style.
    seated.client().handleMessage("CMD_playasound+2+wave13+");
    QVERIFY(testsupport::chatHas(seated, "Bob: <Chatter Sound> Applause"));
    QCOMPARE(seated.chat()->view()->model().style(2).colour, 0x00FF0000u);
    QVERIFY(!started.contains(SoundPlayer::resourcePath("wave13")));

    // A seated player's menu sends the sound; a spectator's sends nothing.
    QSignalSpy seatedSent(seated.chatterSoundMenu(), &ChatterSoundMenu::sendRequested);
    seated.chatterSoundMenu()->wave20Click(3);
    QCOMPARE(seatedSent.size(), 1);
    QCOMPARE(seatedSent.at(0).at(0).toString(), QString("CMD_playasound+1+wave3+"));

    Tchat spy;

    testsupport::hosting(spy);
    letIn(spy, 7, "Spy");
    QVERIFY(testsupport::chatHas(spy, "You are spying."));
    QSignalSpy spySent(spy.chatterSoundMenu(), &ChatterSoundMenu::sendRequested);
    spy.chatterSoundMenu()->wave20Click(3);
    QCOMPARE(spySent.size(), 0);
}

void TchatSettingsTest::aReadOnlyFileIsToldOnceAndKept() {
    testsupport::TempSettingsFile ini("[bramblies]\nTextsize=12\n");
    QFile::setPermissions(ini.path(), QFile::ReadOwner);
    Tchat window;
    testsupport::hosting(window);
    letIn(window, 1, "Ann");
    letIn(window, 1, "Ann"); // announced again: still one line
    const QString line =
        "The settings file " + ini.path() + " is read-only: settings will not be saved.";
    QCOMPARE(testsupport::chatText(window).filter(line).size(), 1);
    QCOMPARE(window.chat()->view()->model().style(0).colour, core::kSystemColour);
    window.menuAction("Fast1")->trigger();
    QCOMPARE(ini.contents(), QByteArray("[bramblies]\nTextsize=12\n"));
}

QTEST_MAIN(TchatSettingsTest)
#include "tchat_settings_test.moc"
