// The table window builds and draws its first picture, and gets its icon, without loading a
// single image plugin: each one costs the start a library load. The menu bar keeps its
// overflow arrow all the same.
#include "app/qt/appidentity.h"
#include "app/qt/appstyle.h"
#include "client/qt/tchat.h"
#include "support/qt/tempsettingsfile.h"

#include <QApplication>
#include <QFile>
#include <QMenuBar>
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
};

QTEST_MAIN(AppStyleTest)
#include "appstyle_test.moc"
