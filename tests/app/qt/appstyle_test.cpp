// SPDX-License-Identifier: GPL-3.0-or-later
// The table window builds and draws its first picture, and gets its icon, without loading a
// single image plugin: each one costs the start a library load. The menu bar keeps its
// overflow arrow all the same. Scroll bars, painted in bands of rows, look as the style paints
// them.
#include "app/qt/appidentity.h"
#include "app/qt/appstyle.h"
#include "client/qt/tchat.h"
#include "support/qt/tempsettingsfile.h"

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyleFactory>
#include <QToolButton>
#include <QtTest>

namespace {

bool imagePluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

} // namespace

class AppStyleTest : public QObject {
    Q_OBJECT
private slots:
    void theTableStartsWithoutImagePlugins() {
        testsupport::TempSettingsFile ini;
        ui::applyAppIdentity();
        ui::AppStyle::install();
        ui::Tchat window;
        QVERIFY(!window.grab().isNull());
        ui::applyWindowIcon();
        QVERIFY(!imagePluginLoaded());

        auto* overflow = window.menuBar()->findChild<QToolButton*>();
        QVERIFY(overflow);
        QVERIFY(!overflow->icon().pixmap(QSize(16, 16)).isNull());
    }

    void scrollBarsLookAsTheirStyleDrawsThem() {
        const auto picture = [](QStyle* style, qreal pixelRatio) {
            QScrollBar bar(Qt::Vertical);
            bar.setStyle(style);
            bar.setRange(0, 500);
            bar.setPageStep(120);
            bar.setValue(173);
            bar.resize(17, 337); // bands of rows that do not divide the height
            QImage shown(bar.size() * pixelRatio, QImage::Format_RGB32);
            shown.setDevicePixelRatio(pixelRatio);
            shown.fill(Qt::white);
            bar.render(&shown, {}, {}, QWidget::RenderFlags());
            return shown;
        };
        std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        ui::AppStyle banded(QStyleFactory::create(QStringLiteral("Fusion")));
        for (const qreal pixelRatio : {1.0, 2.0, 1.5})
            QCOMPARE(picture(&banded, pixelRatio), picture(fusion.get(), pixelRatio));
    }
};

QTEST_MAIN(AppStyleTest)
#include "appstyle_test.moc"
