// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's view of the program: the application id and the window icon in every size a
// window manager draws, drawn.
#include "app/buildinfo.h"
#include "app/qt/appidentity.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QWidget>
#include <QtTest>

class AppIdentityTest : public QObject {
    Q_OBJECT
private slots:
    void everyWindowGetsTheIconInEverySize() {
        ui::applyAppIdentity();
        ui::applyWindowIcon(); // the program does this once its first frame is up
        QCOMPARE(QGuiApplication::desktopFileName(), QString::fromLatin1(app::kAppId));
        const QIcon icon = QApplication::windowIcon();
        const QList<QSize> expected{{16, 16}, {24, 24},   {32, 32},  {48, 48},
                                    {64, 64}, {128, 128}, {256, 256}};
        QCOMPARE(icon.availableSizes(), expected);
        // Drawn, not blank: the die's red shows in the middle of the small render.
        const QImage small = icon.pixmap(QSize(32, 32)).toImage();
        QVERIFY(QColor(small.pixel(12, 22)).red() > 150);
        QWidget window;
        QCOMPARE(window.windowIcon().cacheKey(), icon.cacheKey());
    }
};

QTEST_MAIN(AppIdentityTest)
#include "appidentity_test.moc"
