// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/qt/settingslocation.h"
#include "chat/settings.h"
#include "support/qt/tempsettingsfile.h"
#include "widgets/tiledbackground.h"
#include "windows/tphrases.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using ui::Tphrases;

namespace {

Tphrases::Phrases buttonPhrases() {
    return {"Way To Go!",
            "Good One!",
            "Nice Try!",
            "Excellent!",
            "Brilliant!",
            "Wow, WTG!",
            "Thanks!",
            "Way To Go Teamie!",
            "Good Game Everyone!",
            "/me waves \"Good-Bye\""};
}

} // namespace

class TphrasesTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheButtonsPhrases();
    void doneStoresTheTenPhrasesAndReportsThem();
    void closingWithoutDoneChangesNothing();
};

void TphrasesTest::opensWithTheButtonsPhrases() {
    Tphrases w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Bramblies - Phrase Buttons "));
    // The table window's tiled background, like every other window of the game.
    QCOMPARE(w.palette().brush(QPalette::Window).texture().cacheKey(),
             ui::TiledBackground::tile().cacheKey());
    w.open(buttonPhrases());
    QVERIFY(w.isVisible());
    QCOMPARE(w.phrases(), buttonPhrases());
    for (int n = 1; n <= 10; ++n) {
        auto* field = w.findChild<QLineEdit*>(QStringLiteral("phrase%1").arg(n));
        QVERIFY(field);
        QCOMPARE(field->maxLength(), 50);
    }
    bool found = false;
    for (auto* label : w.findChildren<QLabel*>())
        if (label->text() == QStringLiteral("Phrase Button 10:")) found = true;
    QVERIFY(found);
    auto* note = w.findChild<QLabel*>(QStringLiteral("label_note"));
    QCOMPARE(note->text(), QStringLiteral("Buttons can only be used once every 2 seconds"));
    QCOMPARE(note->palette().color(QPalette::WindowText), QColor(Qt::red));

    auto* field = w.findChild<QLineEdit*>(QStringLiteral("phrase1"));
    field->clear();
    QTest::keyClicks(field, QString(51, QLatin1Char('x')));
    QCOMPARE(field->text().size(), 50);
}

void TphrasesTest::doneStoresTheTenPhrasesAndReportsThem() {
    testsupport::TempSettingsFile ini("; the lobby's\n[lobby]\nx=1\n[bramblies]\nTextsize=12\n");
    core::Settings settings(ui::SettingsLocation::path());
    Tphrases w;
    w.setSettings(&settings);
    std::optional<Tphrases::Phrases> reported;
    connect(&w, &Tphrases::done, [&](const Tphrases::Phrases& p) {
        QCOMPARE(ini.value(QStringLiteral("Phrase9")), QStringLiteral("Good Game Everyone!"));
        reported = p;
    });
    w.open(buttonPhrases());
    w.findChild<QLineEdit*>(QStringLiteral("phrase3"))->clear();
    auto* ten = w.findChild<QLineEdit*>(QStringLiteral("phrase10"));
    ten->clear();
    QTest::keyClicks(ten, QStringLiteral("/me dances"));
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("button_done")), Qt::LeftButton);

    QVERIFY(reported);
    Tphrases::Phrases expected = buttonPhrases();
    expected[2] = QString();
    expected[9] = QStringLiteral("/me dances");
    QCOMPARE(*reported, expected);
    QVERIFY(!w.isVisible());
    QCOMPARE(ini.value(QStringLiteral("Phrase3")), QString(""));
    QCOMPARE(ini.value(QStringLiteral("phrase10")), QStringLiteral("/me dances"));
    QCOMPARE(ini.value(QStringLiteral("x"), QStringLiteral("lobby")), QStringLiteral("1"));
    QCOMPARE(ini.value(QStringLiteral("Textsize")), QStringLiteral("12"));
    QCOMPARE(ini.value(QStringLiteral("Playsounds")), std::nullopt);

    // The next start: the empty phrase is skipped, so button 3 keeps its built-in phrase.
    core::Settings next(ui::SettingsLocation::path());
    QVERIFY(next.loadinifile());
    QCOMPARE(next.phrases()[2], std::string());
    QCOMPARE(next.phrases()[9], std::string("/me dances"));

    // Without settings of its own the window writes to the program's settings file.
    Tphrases plain;
    plain.open(buttonPhrases());
    plain.findChild<QLineEdit*>(QStringLiteral("phrase1"))->setText(QStringLiteral("Hi!"));
    plain.button_doneClick();
    QCOMPARE(ini.value(QStringLiteral("Phrase1")), QStringLiteral("Hi!"));
}

void TphrasesTest::closingWithoutDoneChangesNothing() {
    testsupport::TempSettingsFile ini("[bramblies]\nPhrase1=Kept\n");
    Tphrases w;
    bool reported = false;
    connect(&w, &Tphrases::done, [&] { reported = true; });
    w.open(buttonPhrases());
    w.findChild<QLineEdit*>(QStringLiteral("phrase1"))->setText(QStringLiteral("Changed"));
    w.close();
    QVERIFY(!reported);
    QCOMPARE(ini.contents(), QByteArray("[bramblies]\nPhrase1=Kept\n"));
}

QTEST_MAIN(TphrasesTest)
#include "tphrases_test.moc"
