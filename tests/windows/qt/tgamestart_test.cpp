// SPDX-License-Identifier: GPL-3.0-or-later
// The game options window: one box ticked at any time, the limit it stands for, and Start.
#include "widgets/picturebutton.h"
#include "widgets/tickbox.h"
#include "windows/tgamestart.h"

#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QSignalSpy>
#include <QtTest>

using namespace ui;

namespace {

const QStringList kBoxes = {QStringLiteral("image_1"), QStringLiteral("image_2"),
                            QStringLiteral("image_5"), QStringLiteral("image_0")};

QString tickedBoxes(const Tgamestart& w) {
    QStringList ticked;
    for (const QString& name : kBoxes) {
        auto* box = w.findChild<TickBox*>(name);
        if (box && box->isTicked()) ticked << name;
    }
    return ticked.join(QLatin1Char(','));
}

} // namespace

class TgamestartTest : public QObject {
    Q_OBJECT
private slots:
    void windowAsCreated();
    void clickingABoxTicksOnlyIt_data();
    void clickingABoxTicksOnlyIt();
    void setLimitAsTheSettingsLoadDoes_data();
    void setLimitAsTheSettingsLoadDoes();
    void startSendsTheLimitAndHides();
    void picture();
};

void TgamestartTest::windowAsCreated() {
    QMainWindow table;
    auto* w = new Tgamestart(&table);
    QCOMPARE(w->windowTitle(), QStringLiteral("Bramblies - Start Game"));
    QVERIFY(w->windowFlags() & Qt::Tool);
    QVERIFY(w->isWindow());
    QCOMPARE(w->parentWidget(), &table);
    QCOMPARE(w->size(), QSize(224, 214));
    QCOMPARE(w->limit(), 0);
    QCOMPARE(tickedBoxes(*w), QStringLiteral("image_0"));
    QStringList texts;
    for (auto* label : w->findChildren<QLabel*>())
        texts << label->text();
    for (const char* t :
         {"GAME OPTIONS", "Bonus Rolls Limit", "1 Roll", "2 Rolls", "5 Rolls", "Unlimited"})
        QVERIFY2(texts.contains(QString::fromLatin1(t)), t);
    auto* start = w->findChild<PictureButton*>(QStringLiteral("button_start"));
    QVERIFY(start);
    QCOMPARE(start->size(), QSize(156, 36));
    for (const QString& name : kBoxes)
        QCOMPARE(w->findChild<TickBox*>(name)->size(), QSize(28, 22));
}

void TgamestartTest::clickingABoxTicksOnlyIt_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("limit");
    QTest::newRow("1 Roll") << "image_1" << 1;
    QTest::newRow("2 Rolls") << "image_2" << 2;
    QTest::newRow("5 Rolls") << "image_5" << 5;
    QTest::newRow("Unlimited") << "image_0" << 0;
}

void TgamestartTest::clickingABoxTicksOnlyIt() {
    QFETCH(QString, box);
    QFETCH(int, limit);
    Tgamestart w;
    w.setLimit(limit == 5 ? 2 : 5); // start from some other choice
    QTest::mouseClick(w.findChild<TickBox*>(box), Qt::LeftButton);
    QCOMPARE(w.limit(), limit);
    QCOMPARE(tickedBoxes(w), box);
    // Clicking the ticked box again keeps it ticked; clicking its label does the same as the box.
    QTest::mouseClick(w.findChild<TickBox*>(box), Qt::LeftButton);
    QCOMPARE(tickedBoxes(w), box);
    w.setLimit(limit == 5 ? 2 : 5);
    QTest::mouseClick(w.findChild<QLabel*>(QStringLiteral("label_") + box), Qt::LeftButton);
    QCOMPARE(w.limit(), limit);
    QCOMPARE(tickedBoxes(w), box);
}

void TgamestartTest::setLimitAsTheSettingsLoadDoes_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("ticked");
    QTest::newRow("2") << 2 << 2 << "image_2";
    QTest::newRow("5") << 5 << 5 << "image_5";
    QTest::newRow("1") << 1 << 1 << "image_1";
    QTest::newRow("0") << 0 << 0 << "image_0";
    QTest::newRow("3 is not a choice") << 3 << 0 << "image_0";
    QTest::newRow("negative") << -5 << 0 << "image_0";
    QTest::newRow("huge") << 2147483647 << 0 << "image_0";
}

void TgamestartTest::setLimitAsTheSettingsLoadDoes() {
    QFETCH(int, value);
    QFETCH(int, limit);
    QFETCH(QString, ticked);
    Tgamestart w;
    w.setLimit(1);
    w.setLimit(value);
    QCOMPARE(w.limit(), limit);
    QCOMPARE(tickedBoxes(w), ticked);
    // changebox only redraws a box; an unknown name is ignored.
    w.changebox(QStringLiteral("image_9"), true);
    w.changebox(ticked, false);
    QCOMPARE(tickedBoxes(w), QString());
    QCOMPARE(w.limit(), limit);
}

void TgamestartTest::startSendsTheLimitAndHides() {
    QMainWindow table;
    table.show();
    auto* w = new Tgamestart(&table);
    QSignalSpy spy(w, &Tgamestart::startRequested);
    w->setLimit(2); // loaded from the settings
    w->show();
    QVERIFY((w->frameGeometry().center() - table.frameGeometry().center()).manhattanLength() <= 4);
    QTest::mouseClick(w->findChild<PictureButton*>(QStringLiteral("button_start")), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 2);
    QVERIFY(!w->isVisible());
    // Opened again it shows the boxes as last set; a second Start sends again.
    w->show();
    QCOMPARE(tickedBoxes(*w), QStringLiteral("image_2"));
    QTest::mouseClick(w->findChild<TickBox*>(QStringLiteral("image_5")), Qt::LeftButton);
    w->button_startClick();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toInt(), 5);
}

// Not a check: the window saved for a person to look at.
void TgamestartTest::picture() {
    const QString dir = qEnvironmentVariable("BRAMBLIES_GRAB_DIR");
    if (dir.isEmpty()) QSKIP("set BRAMBLIES_GRAB_DIR to save pictures");
    Tgamestart w;
    w.setLimit(2);
    w.show();
    QDir().mkpath(dir);
    w.grab().save(dir + QStringLiteral("/tgamestart.png"));
    w.grab()
        .toImage()
        .scaled(448, 428, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(dir + QStringLiteral("/tgamestart_zoom.png"));
}

QTEST_MAIN(TgamestartTest)
#include "tgamestart_test.moc"
