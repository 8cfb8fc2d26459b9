// The program's window set as main() builds it: every window made once, in order, hidden but
// the table window, and each one attached to the table window so its menus reach it.

#include "app/qt/tablewindows.h"
#include "app/qt/windowset.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "host/qt/hostserver.h"
#include "stats/qt/ttallylist.h"
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
#include <QTest>

using namespace ui;
using Role = WindowSet::Role;

class TableWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void optionsFromTheCommandLine();
    void everyWindowMadeOnceAndAttached();
};

void TableWindowsTest::optionsFromTheCommandLine() {
    const auto line =
        app::parseCommandLine({"Ann", "--port", "7801", "10.0.0.5", "--time-scale=20", "true"});
    const TchatOptions options = tchatOptions(line);
    QCOMPARE(options.params, (std::vector<std::string>{"Ann", "10.0.0.5", "true"}));
    QCOMPARE(options.port, quint16(7801));
    QCOMPARE(options.timeScale, 20.0);
    QCOMPARE(tchatOptions(app::parseCommandLine({})).port, quint16(7772));
}

void TableWindowsTest::everyWindowMadeOnceAndAttached() {
    testsupport::TempSettingsFile ini;
    WindowSet windows;
    TchatOptions options;
    options.params = {"Ann", "127.0.0.1", "true"};
    options.port = testsupport::freePort();
    addTableCreators(windows, options);
    QVERIFY(windows.createAll());

    auto* table = windows.as<Tchat>(Role::Table);
    QVERIFY(table);
    QCOMPARE(table->gameOptions(), windows.as<Tgamestart>(Role::GameStart));
    QCOMPARE(table->tally(), windows.as<Ttallylist>(Role::Tally));
    QCOMPARE(table->about(), windows.as<Tabout>(Role::About));
    QCOMPARE(table->download(), windows.as<Tdownload>(Role::Download));
    QCOMPARE(table->help(), windows.as<Thelp>(Role::Help));
    QCOMPARE(table->phrasesWindow(), windows.as<Tphrases>(Role::Phrases));
    QCOMPARE(table->hostServer(), windows.as<HostServer>(Role::Host));
    QCOMPARE(table->spyList(), windows.as<Tspylist>(Role::SpyList));
    QCOMPARE(table->solo(), windows.as<Tsolo>(Role::Solo));
    for (Role role : WindowSet::order())
        if (role != Role::Table && windows.window(role))
            QVERIFY(!windows.window(role)->isVisible());

    // The menus open the windows that belong to them.
    const std::pair<const char*, QWidget*> items[] = {
        {"ViewTally1", table->tally()},
        {"SpyList1", table->spyList()},
        {"PrhaseList1", table->phrasesWindow()},
        {"Help2", table->help()},
        {"About1", table->about()},
        {"CheckoutBramblesSolo1", table->solo()},
    };
    for (const auto& [item, window] : items) {
        table->menuAction(item)->trigger();
        QVERIFY2(window->isVisible(), item);
        window->hide();
    }

    // Shown, the table hosts on its own host object and connects to it.
    table->show();
    QTRY_VERIFY_WITH_TIMEOUT(table->client().loggedin(), 10000);
    QVERIFY(windows.as<HostServer>(Role::Host)->isListening());
    QVERIFY(table->companion());
    // "Start Game" opens the game options window.
    table->menuAction("StartGame1")->trigger();
    QVERIFY(table->gameOptions()->isVisible());
}

QTEST_MAIN(TableWindowsTest)
#include "tablewindows_test.moc"
