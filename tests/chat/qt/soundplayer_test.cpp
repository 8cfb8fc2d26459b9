// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/chattersounds.h"
#include "chat/qt/chattersoundmenu.h"
#include "chat/qt/settingslocation.h"
#include "chat/qt/soundplayer.h"
#include "chat/settings.h"
#include "support/qt/queuedevents.h"
#include "support/qt/tempsettingsfile.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using ui::ChatterSoundMenu;
using ui::SoundPlayer;

namespace {

// Records what the player asks of the audio output.
class RecordingOutput : public ui::SoundOutput {
public:
    explicit RecordingOutput(QStringList* log) : m_log(log) {}
    void stop() override { m_log->append(QStringLiteral("stop")); }
    void start(const QString& path) override { m_log->append(path); }

private:
    QStringList* m_log;
};

QStringList allSoundNames() {
    QStringList names;
    for (auto cue : core::kGameCues)
        names << QString::fromLatin1(cue.data(), cue.size());
    names << QString::fromLatin1(core::kNewTurnSound.data(), core::kNewTurnSound.size());
    for (int k = 1; k <= 20; ++k)
        names << QStringLiteral("wave%1").arg(k);
    return names;
}

} // namespace

class SoundPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void everyNameHasASmallMonoWave();
    void newestSoundStopsThePlayingOne();
    void switchesAndTurnSound();
    void chatterSoundWithSoundsOffWritesALine();
    void menuSendsOnlyForASeatedLoggedInPlayer();
    void realOutputNeverHangsWithoutAudio();
};

void SoundPlayerTest::everyNameHasASmallMonoWave() {
    for (const QString& name : allSoundNames()) {
        QVERIFY2(SoundPlayer::hasSound(name), qPrintable(name));
        QVERIFY(SoundPlayer::hasSound(name.toUpper()));
        QFile f(SoundPlayer::resourcePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(44);
        QCOMPARE(head.left(4), QByteArray("RIFF"));
        QCOMPARE(head.mid(8, 4), QByteArray("WAVE"));
        const auto u16 = [&](int at) { return quint8(head[at]) | quint8(head[at + 1]) << 8; };
        QCOMPARE(u16(20), 1);  // PCM
        QCOMPARE(u16(22), 1);  // mono
        QCOMPARE(u16(34), 16); // bits
        QVERIFY(f.size() < 200 * 1024);
    }
    for (const char* none : {"wave21", "wave0", "", "../sounds/dice", "dice.wav", "turn "})
        QVERIFY2(!SoundPlayer::hasSound(QString::fromLatin1(none)), none);
}

void SoundPlayerTest::newestSoundStopsThePlayingOne() {
    QStringList log;
    SoundPlayer player;
    player.setOutput(std::make_unique<RecordingOutput>(&log));
    QSignalSpy beeps(&player, &SoundPlayer::beeped);
    log.clear();

    player.play(QStringLiteral("dice"));
    player.play(QStringLiteral("SELECT"));
    player.play(QStringLiteral("nosuchsound"));
    QCOMPARE(log,
             (QStringList{"stop", ":/sounds/dice.wav", "stop", ":/sounds/select.wav", "stop"}));
    QCOMPARE(player.current(), QStringLiteral("select"));
    QCOMPARE(beeps.count(), 1);
}

void SoundPlayerTest::switchesAndTurnSound() {
    testsupport::TempSettingsFile ini;
    core::Settings settings(ui::SettingsLocation::path());
    QStringList log;
    SoundPlayer player;
    player.setOutput(std::make_unique<RecordingOutput>(&log));
    player.setSettings(&settings);
    auto started = [&] { return log.filter(QStringLiteral(":/")); };

    player.playsounds(QStringLiteral("turn"));
    QCOMPARE(started(), QStringList{":/sounds/turn.wav"});
    settings.setTurnSound(1);
    player.playsounds(QStringLiteral("turn"));
    player.playsounds(QStringLiteral("dice"));
    QCOMPARE(started().mid(1), (QStringList{":/sounds/turn_new.wav", ":/sounds/dice.wav"}));

    log.clear();
    settings.setPlaySounds(false);
    player.playsounds(QStringLiteral("dice"));
    QVERIFY(log.isEmpty());
    QCOMPARE(player.playasound(QStringLiteral("3+wave3+")), std::nullopt); // chatter still plays
    QCOMPARE(started(), QStringList{":/sounds/wave3.wav"});

    log.clear();
    settings.setPlaySounds(true);
    settings.setPlayChatterSounds(false);
    player.playsounds(QStringLiteral("dice"));
    player.playasound(QStringLiteral("3+wave3+"));
    QCOMPARE(started(), QStringList{":/sounds/dice.wav"});
}

void SoundPlayerTest::chatterSoundWithSoundsOffWritesALine() {
    testsupport::TempSettingsFile ini;
    core::Settings settings(ui::SettingsLocation::path());
    settings.setPlayChatterSounds(false);
    QCOMPARE(ini.value(QStringLiteral("Playerphrasesounds")), QStringLiteral("false"));
    QStringList log;
    SoundPlayer player;
    player.setOutput(std::make_unique<RecordingOutput>(&log));
    player.setSettings(&settings);
    player.setSeatLabelSource([](int seat) -> std::optional<QString> {
        if (seat == 2) return QStringLiteral("Zoë");
        if (seat == 4) return QString();
        return std::nullopt;
    });
    log.clear();

    QCOMPARE(player.playasound(QStringLiteral("2+wave13+")),
             QStringLiteral("2+Zoë: <Chatter Sound> Applause"));
    QCOMPARE(player.playasound(QStringLiteral("4+WAVE1+")),
             QStringLiteral("4+: <Chatter Sound> Doh"));
    QCOMPARE(player.playasound(QStringLiteral("3+wave13+")), std::nullopt); // no label for seat 3
    QCOMPARE(player.playasound(QStringLiteral("8+wave13+")), std::nullopt); // a spy has no label
    QCOMPARE(player.playasound(QStringLiteral("2+wave21+")), std::nullopt); // no such item
    QCOMPARE(player.playasound(QStringLiteral("2+dice+")), std::nullopt);
    QCOMPARE(player.playasound(QString()), std::nullopt);
    QVERIFY(log.isEmpty());
}

void SoundPlayerTest::menuSendsOnlyForASeatedLoggedInPlayer() {
    ChatterSoundMenu menu;
    QCOMPARE(menu.objectName(), QStringLiteral("popup_sounds"));
    QCOMPARE(menu.actions().size(), 21);
    QCOMPARE(menu.item(0)->text(), QStringLiteral("<Cancel>"));
    QAction* applause = menu.findChild<QAction*>(QStringLiteral("wave13"));
    QVERIFY(applause);
    QCOMPARE(applause->text(), QStringLiteral("Applause"));
    QCOMPARE(applause->toolTip(), QStringLiteral("Applause"));
    QCOMPARE(menu.item(5)->text(), QStringLiteral("Where have you been?"));

    ChatterSoundMenu::Session session;
    menu.setSessionSource([&] { return session; });
    QStringList sent;
    connect(&menu, &ChatterSoundMenu::sendRequested, [&](const QString& m) { sent << m; });

    session = {true, 7}; // a spectator
    applause->trigger();
    session = {false, 2}; // not let in yet
    applause->trigger();
    session = {true, 2};
    menu.item(0)->trigger(); // <Cancel>
    QVERIFY(sent.isEmpty());
    applause->trigger();
    menu.item(20)->trigger();
    QCOMPARE(sent, (QStringList{"CMD_playasound+2+wave13+", "CMD_playasound+2+wave20+"}));
}

void SoundPlayerTest::realOutputNeverHangsWithoutAudio() {
    SoundPlayer player; // the real QSoundEffect output
    QElapsedTimer clock;
    clock.start();
    for (const QString& name : allSoundNames())
        player.play(name);
    player.play(QStringLiteral("missing"));
    QVERIFY(testsupport::waitForQueuedEvents(&player)); // what the output queued holds nothing up
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(player.current(), QStringLiteral("wave20"));
}

QTEST_MAIN(SoundPlayerTest)
#include "soundplayer_test.moc"
