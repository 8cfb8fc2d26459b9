// SPDX-License-Identifier: GPL-3.0-or-later
// The program's window set as main() builds it: the table window and the host at start-up,
// every other window made the first time it is shown, once, above the table window.

#include "app/qt/auxwindowset.h"
#include "app/qt/hostingcopy.h"
#include "app/qt/tablewindows.h"
#include "app/qt/windowset.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "host/qt/hostserver.h"
#include "stats/qt/ttallylist.h"
#include "stats/tallybook.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"
#include "windows/tabout.h"
#include "windows/tdownload.h"
#include "windows/tgamestart.h"
#include "windows/thelp.h"
#include "windows/tphrases.h"
#include "windows/tsolo.h"
#include "windows/tspylist.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTest>

using namespace ui;
using Role = WindowSet::Role;

class TableWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void optionsFromTheCommandLine();
    void windowsMadeWhenFirstShown();
    void tallyKeptWithoutItsWindow();
};

void TableWindowsTest::optionsFromTheCommandLine() {
    const auto line =
        app::parseCommandLine({"Ann", "--port", "7801", "10.0.0.5", "--time-scale=20", "true"});
    const TchatOptions options = tchatOptions(line);
    QCOMPARE(options.params, (std::vector<std::string>{"Ann", "10.0.0.5", "true"}));
    QCOMPARE(options.port, quint16(7801));
    QCOMPARE(options.timeScale, 20.0);
    QCOMPARE(tchatOptions(app::parseCommandLine({})).port, quint16(7772));
    QVERIFY(tableReach(line).mapPort && tableReach(line).announce);
    QVERIFY(!tableReach(app::parseCommandLine({"--no-port-mapping"})).mapPort);
}

void TableWindowsTest::windowsMadeWhenFirstShown() {
    testsupport::TempSettingsFile ini;
    WindowSet windows;
    TchatOptions options;
    options.params = {"Ann", "127.0.0.1", "true"};
    options.port = testsupport::freePort();
    addTableCreators(windows, options);
    QVERIFY(windows.createAll());

    auto* table = windows.table();
    auto* tchat = qobject_cast<Tchat*>(table);
    QVERIFY(tchat && windows.object(Role::Host));
    auto* hosting = qobject_cast<HostingCopy*>(tchat->hosting());
    QVERIFY(hosting);
    QCOMPARE(hosting->hostServer(), windows.as<HostServer>(Role::Host));
    // Only the table window exists at start-up.
    const auto madeWindows = [table] {
        int n = 0;
        for (QWidget* w : table->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            n += w->isWindow() && !qobject_cast<QMenu*>(w) ? 1 : 0;
        return n;
    };
    QCOMPARE(madeWindows(), 0);

    // The menus make and show the windows that belong to them, each once.
    const std::pair<const char*, Role> items[] = {
        {"ViewTally1", Role::Tally},    {"SpyList1", Role::SpyList},
        {"PrhaseList1", Role::Phrases}, {"Help2", Role::Help},
        {"About1", Role::About},        {"CheckoutBramblesSolo1", Role::Solo},
    };
    for (const auto& [item, role] : items) {
        tchat->menuAction(item)->trigger();
        QWidget* shown = windows.window(role);
        QVERIFY2(shown && shown->isVisible() && shown->parentWidget() == table, item);
        shown->hide();
        tchat->menuAction(item)->trigger();
        QCOMPARE(windows.window(role), shown);
        shown->hide();
    }
    QCOMPARE(madeWindows(), 6);

    // Shown, the table hosts on its own host object and connects to it.
    table->show();
    QTRY_VERIFY_WITH_TIMEOUT(tchat->client().loggedin(), 10000);
    QVERIFY(windows.as<HostServer>(Role::Host)->isListening());
    QVERIFY(tchat->companion());
    // "Start Game" opens the game options window.
    tchat->menuAction("StartGame1")->trigger();
    QVERIFY(windows.as<Tgamestart>(Role::GameStart)->isVisible());
}

// A game won before the tally window was ever made is counted and on disk when the table goes.
void TableWindowsTest::tallyKeptWithoutItsWindow() {
    testsupport::TempSettingsFile ini;
    const QString dir = QFileInfo(ini.path()).absolutePath();
    {
        Tchat table;
        new AuxWindowSet(table, dir);
        table.client().handleMessage("CMD_sendlogininfo+1+");
        table.client().handleMessage("CMD_newplayerinfo+1+Ann+0+2+Bob+0+");
        table.client().handleMessage("CMD_postscores+1+212+30+6+");
        table.client().handleMessage("CMD_winner+1+0+");
        QVERIFY(!table.findChild<Ttallylist*>());
    }
    core::TallyBook book(dir.toStdString());
    QVERIFY(!book.load());
    QCOMPARE(book.tally().table().cell(1, 0), std::string("1"));   // games
    QCOMPARE(book.tally().table().cell(2, 0), std::string("1"));   // wins
    QCOMPARE(book.tally().table().cell(3, 0), std::string("212")); // highest score
}

QTEST_MAIN(TableWindowsTest)
#include "tablewindows_test.moc"
