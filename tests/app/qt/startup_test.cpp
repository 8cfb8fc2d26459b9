// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the previous-instance check, the presence lock and the window creation order.
#include "app/qt/instanceguard.h"
#include "app/qt/presencelock.h"
#include "app/qt/startup.h"
#include "app/qt/windowset.h"
#include "support/qt/queuedevents.h"
#include "windows/tgamestart.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QMainWindow>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using namespace ui;
using Role = WindowSet::Role;

namespace {

// Names of our own so a running game or a parallel test run on this machine is never touched.
QString uniqueName(const char* what) {
    static int counter = 0;
    return QStringLiteral("bramblies-test-%1-%2-%3")
        .arg(QLatin1String(what))
        .arg(QCoreApplication::applicationPid())
        .arg(++counter);
}

// A table window that can refuse to close, as a window asking "are you sure" would.
class StandInTable : public QMainWindow {
public:
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* e) override {
        if (refuseClose)
            e->ignore();
        else
            e->accept();
    }
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
    QStringList m_lockNames;

    QString lockName() {
        m_lockNames << uniqueName("lock");
        return m_lockNames.back();
    }

private slots:
    void cleanupTestCase() {
        for (const QString& n : m_lockNames)
            QFile::remove(QDir::tempPath() + QLatin1Char('/') + n + QStringLiteral(".lock"));
    }

    void instanceNameFollowsThePort_data();
    void instanceNameFollowsThePort();
    void anyPlayerNameGivesAClaimableName();
    void secondCopyAsksTheFirstToRaise();
    void strangersCannotRaiseTheWindow();
    void leftoverSocketFromACrashIsTakenOver();
    void nameIsFreeAgainAfterTheFirstCopyEnds();
    void presenceLockIsSharedAndGoesWithTheLastHolder();
    void windowsAreCreatedOnceInOrder();
    void noTableWindowMeansNothingIsCreated();
    void closingTheTableWindowEndsTheProgram();
    void startupRunsOnceAndASecondCopyShowsNothing();
};

void StartupTest::instanceNameFollowsThePort_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("name");
    QTest::newRow("no arguments") << QStringList{"bramblies"} << "77rauq";
    QTest::newRow("lobby arguments")
        << QStringList{"bramblies", "Ann", "10.0.0.5", "true"} << "77rauq";
    QTest::newRow("default port given") << QStringList{"bramblies", "--port", "7772"} << "77rauq";
    QTest::newRow("other port") << QStringList{"bramblies", "Ann",    "127.0.0.1",
                                               "true",      "--port", "7800"}
                                << "77rauq-7800";
    QTest::newRow("other port, one word")
        << QStringList{"bramblies", "--port=7801"} << "77rauq-7801";
    QTest::newRow("unreadable port") << QStringList{"bramblies", "--port", "77x"} << "77rauq";
    QTest::newRow("port out of range") << QStringList{"bramblies", "--port", "70000"} << "77rauq";
    QTest::newRow("flag without value") << QStringList{"bramblies", "--port"} << "77rauq";
}

void StartupTest::instanceNameFollowsThePort() {
    QFETCH(QStringList, args);
    QFETCH(QString, name);
    QCOMPARE(InstanceGuard::nameForPort(InstanceGuard::portArgument(args)), name);
    QCOMPARE(Startup(args).instanceName(), name);
}

void StartupTest::anyPlayerNameGivesAClaimableName() {
    const QString longName(300, QLatin1Char('n'));
    const QString name = InstanceGuard::nameForPlayer(7800, longName + "/x");
    QCOMPARE(name.size(), 23); // "77rauq-" and 16 hex digits
    QVERIFY(name.startsWith("77rauq-"));
    QCOMPARE(InstanceGuard::nameForPlayer(7800, longName + "/x"), name);
    QVERIFY(InstanceGuard::nameForPlayer(7801, longName + "/x") != name);
    QVERIFY(InstanceGuard::nameForPlayer(7800, longName + "/y") != name);
    // Claimable, and a second copy of the same player finds the first.
    const QString unique = InstanceGuard::nameForPlayer(7800, uniqueName("long") + longName);
    InstanceGuard first(unique);
    QVERIFY(first.claim());
    QVERIFY(first.isFirst());
    QVERIFY(!InstanceGuard(unique).claim());
}

void StartupTest::secondCopyAsksTheFirstToRaise() {
    const QString name = uniqueName("raise");
    QMainWindow window;
    window.showMinimized();
    QVERIFY(window.isMinimized());

    InstanceGuard first(name);
    QVERIFY(first.claim());
    QVERIFY(first.isFirst());
    first.setWindow(&window);
    QSignalSpy raised(&first, &InstanceGuard::raiseRequested);

    InstanceGuard second(name); // the "second copy", in the same process
    QVERIFY(!second.claim());
    QVERIFY(!second.isFirst());
    QTRY_COMPARE(raised.count(), 1);
    QVERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());

    // A third try raises again; the first copy still holds the name.
    QVERIFY(!InstanceGuard(name).claim());
    QTRY_COMPARE(raised.count(), 2);
    QVERIFY(first.isFirst());
}

void StartupTest::strangersCannotRaiseTheWindow() {
    const QString name = uniqueName("stranger");
    InstanceGuard first(name);
    QVERIFY(first.claim());
    QSignalSpy raised(&first, &InstanceGuard::raiseRequested);
    for (const QByteArray& junk :
         {QByteArray("hello\n"), QByteArray(4096, 'r'), QByteArray("rai")}) {
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(1000));
        socket.write(junk);
        QVERIFY(socket.waitForBytesWritten(1000));
        if (junk.size() > 64 || junk.endsWith('\n')) {
            QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState); // read and dropped
        } else {
            socket.disconnectFromServer(); // a piece, then nothing more
        }
    }
    // A real request after the junk: once it has raised the window, the junk has been dealt
    // with, and none of it raised.
    QVERIFY(!InstanceGuard(name).claim());
    QTRY_COMPARE(raised.count(), 1);
    QVERIFY(first.isFirst());
}

void StartupTest::leftoverSocketFromACrashIsTakenOver() {
    const QString name = uniqueName("stale");
    const QString path = QDir::tempPath() + QLatin1Char('/') + name;
    {
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
    }
    InstanceGuard guard(name);
    QVERIFY(guard.claim());
    QVERIFY(!InstanceGuard(name).claim());
}

void StartupTest::nameIsFreeAgainAfterTheFirstCopyEnds() {
    const QString name = uniqueName("again");
    {
        InstanceGuard first(name);
        QVERIFY(first.claim());
    }
    InstanceGuard next(name);
    QVERIFY(next.claim());
}

void StartupTest::presenceLockIsSharedAndGoesWithTheLastHolder() {
    const QString name = lockName();
    QVERIFY(!PresenceLock::isHeldAnywhere(name));
    auto one = std::make_unique<PresenceLock>(name);
    QVERIFY(one->isHeld());
    auto two = std::make_unique<PresenceLock>(name); // another copy on another port
    QVERIFY(two->isHeld());
    QVERIFY(PresenceLock::isHeldAnywhere(name));
    one.reset();
    QVERIFY(PresenceLock::isHeldAnywhere(name));
    two.reset();
    QVERIFY(!PresenceLock::isHeldAnywhere(name));
}

void StartupTest::windowsAreCreatedOnceInOrder() {
    QStringList created;
    QPointer<QWidget> table;
    QPointer<QWidget> tally;
    {
        WindowSet set;
        set.addDefaultCreators();
        set.setCreator(Role::Table, [&](WindowSet& s) -> QObject* {
            created << QStringLiteral("table:%1").arg(s.gameStart() ? "options" : "alone");
            table = new QMainWindow;
            return table;
        });
        set.setCreator(Role::Tally, [&](WindowSet& s) -> QObject* {
            created << QStringLiteral("tally");
            auto* w = new QWidget(s.table(), Qt::Tool);
            w->show(); // even a window that shows itself starts hidden
            tally = w;
            return w;
        });
        set.setCreator(Role::Host, [&](WindowSet&) -> QObject* {
            created << QStringLiteral("host");
            return new QObject; // the host is no window
        });
        set.setCreator(Role::Solo, [&](WindowSet&) -> QObject* {
            created << QStringLiteral("solo");
            return nullptr; // a creator may decline
        });
        QVERIFY(set.createAll());
        QVERIFY(set.createAll()); // once only
        QCOMPARE(created, QStringList({"table:alone", "tally", "host", "solo"}));

        QVERIFY(set.gameStart());
        QCOMPARE(set.gameStart()->parentWidget(), set.table());
        QVERIFY(!set.gameStart()->isVisible());
        QVERIFY(!tally->isVisible());
        QVERIFY(set.object(Role::Host));
        QVERIFY(!set.window(Role::Host));
        QVERIFY(!set.object(Role::Solo));
        QCOMPARE(set.as<QMainWindow>(Role::Table), table.data());
        QCOMPARE(WindowSet::order().front(), Role::Table);
        QCOMPARE(WindowSet::order().back(), Role::Solo);
    }
    QVERIFY(!table); // the set owns what it created
    QVERIFY(!tally);
}

void StartupTest::noTableWindowMeansNothingIsCreated() {
    int made = 0;
    WindowSet none;
    none.setCreator(Role::Tally, [&](WindowSet&) -> QObject* {
        ++made;
        return new QWidget;
    });
    QVERIFY(!none.createAll());
    WindowSet notAWindow;
    notAWindow.setCreator(Role::Table, [](WindowSet&) -> QObject* { return new QObject; });
    notAWindow.setCreator(Role::Tally, [&](WindowSet&) -> QObject* {
        ++made;
        return new QWidget;
    });
    QVERIFY(!notAWindow.createAll());
    QCOMPARE(made, 0);
    QVERIFY(!notAWindow.table());
}

void StartupTest::closingTheTableWindowEndsTheProgram() {
    WindowSet set;
    StandInTable* table = nullptr;
    set.setCreator(Role::Table, [&](WindowSet&) -> QObject* { return table = new StandInTable; });
    QVERIFY(set.createAll());
    QSignalSpy closed(&set, &WindowSet::tableClosed);
    table->show();
    table->refuseClose = true;
    table->close();
    QVERIFY(testsupport::waitForQueuedEvents(&set)); // the set looks from the event loop
    QCOMPARE(closed.count(), 0);
    table->refuseClose = false;
    table->close();
    QTRY_COMPARE(closed.count(), 1);
}

void StartupTest::startupRunsOnceAndASecondCopyShowsNothing() {
    const QString instance = uniqueName("startup");
    const QString lock = lockName();

    WindowSet firstSet;
    firstSet.addDefaultCreators();
    firstSet.setCreator(Role::Table, [](WindowSet&) -> QObject* { return new QMainWindow; });
    Startup first({QStringLiteral("bramblies")});
    first.setInstanceName(instance);
    first.setLockName(lock);
    QCOMPARE(first.begin(firstSet), Startup::Outcome::Started);
    QVERIFY(firstSet.table()->isVisible());
    QVERIFY(!firstSet.gameStart()->isVisible());
    QVERIFY(PresenceLock::isHeldAnywhere(lock));
    firstSet.table()->showMinimized();

    bool secondMadeAWindow = false;
    WindowSet secondSet;
    secondSet.setCreator(Role::Table, [&](WindowSet&) -> QObject* {
        secondMadeAWindow = true;
        return new QMainWindow;
    });
    Startup second({QStringLiteral("bramblies")});
    second.setInstanceName(instance);
    second.setLockName(lock);
    QCOMPARE(second.begin(secondSet), Startup::Outcome::AnotherCopyRunning);
    QVERIFY(!secondMadeAWindow);
    QTRY_VERIFY(!firstSet.table()->isMinimized());
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
