// SPDX-License-Identifier: GPL-3.0-or-later
// The lobby's list of tables as the browser reports them.
#include "lobby/qt/lobbytablemodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

using ui::FoundTable;
using ui::LobbyTableModel;

namespace {

FoundTable table(const char* name, int interfaceIndex, int seated, bool running = false) {
    return {QString::fromLatin1(name),
            QStringLiteral("local"),
            interfaceIndex,
            QStringLiteral("10.0.0.%1").arg(interfaceIndex),
            7772,
            {"Ann", seated, 0, 6 - seated, running, "1.0.2"}};
}

QString cell(const LobbyTableModel& m, int row, int column) {
    return m.data(m.index(row, column), Qt::DisplayRole).toString();
}

} // namespace

class LobbyTableModelTest : public QObject {
    Q_OBJECT
private slots:
    void appearingChangingVanishing() {
        LobbyTableModel m;
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&m, &LobbyTableModel::dataChanged);

        m.found(table("A", 2, 1));
        m.found(table("B", 2, 3, true));
        QCOMPARE(m.rowCount(), 2);
        const QStringList rowB = {cell(m, 1, 0), cell(m, 1, 1), cell(m, 1, 2), cell(m, 1, 3),
                                  cell(m, 1, 4), cell(m, 1, 5), cell(m, 1, 6)};
        QCOMPARE(rowB, (QStringList{"Ann", "3", "0", "3", "playing", "1.0.2", "10.0.0.2:7772"}));

        // A is seen on a second interface too: still one row, showing the latest fields.
        m.found(table("A", 3, 2));
        QCOMPARE(m.rowCount(), 2);
        QCOMPARE(cell(m, 0, LobbyTableModel::Seated), QStringLiteral("2"));
        QCOMPARE(changed.count(), 1);

        // Gone from one interface: stays, with what the other one said.
        m.gone("A", "local", 3);
        QCOMPARE(m.rowCount(), 2);
        QCOMPARE(cell(m, 0, LobbyTableModel::Seated), QStringLiteral("1"));
        QCOMPARE(cell(m, 0, LobbyTableModel::Address), QStringLiteral("10.0.0.2:7772"));

        // Gone everywhere: the row goes and the others move up. Unknown services change nothing.
        m.gone("A", "local", 2);
        m.gone("Z", "local", 2);
        m.gone("B", "elsewhere", 2);
        QCOMPARE(m.rowCount(), 1);
        QCOMPARE(m.tableAt(0)->name, QStringLiteral("B"));
        QCOMPARE(m.rowOf("B", "local"), 0);
        QVERIFY(!m.tableAt(1));
    }

    void internetTablesFollowTheLocalOnes() {
        LobbyTableModel m;
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        m.found(table("A", 2, 1));
        lobby::LobbyTable t;
        t.address = "2001:db8::7";
        t.port = 7800;
        m.setInternetTables({{"Bo", t}, {"Cy", t}, {"Di", t}});
        t.seated = 4;
        m.setInternetTables({{"Al", t}, {"Cy", t}, {"Ed", t}}); // in, changed, out, in
        QCOMPARE(m.rowCount(), 4);
        const QStringList hosts = {cell(m, 1, 0), cell(m, 2, 0), cell(m, 3, 0)};
        QCOMPARE(hosts, (QStringList{"Al", "Cy", "Ed"}));
        QCOMPARE(cell(m, 2, LobbyTableModel::Seated), QStringLiteral("4"));
        QCOMPARE(cell(m, 3, LobbyTableModel::Address), QStringLiteral("[2001:db8::7]:7800"));
        QCOMPARE(cell(m, 0, LobbyTableModel::Where), QStringLiteral("This network"));
        QVERIFY(!m.tableAt(1) && m.isInternet(1));
        m.found(table("B", 2, 1)); // a local table goes above the internet's
        QCOMPARE(cell(m, 1, LobbyTableModel::Where), QStringLiteral("This network"));
        m.setInternetTables({});
        QCOMPARE(m.rowCount(), 2);
    }
};

QTEST_GUILESS_MAIN(LobbyTableModelTest)
#include "lobbytablemodel_test.moc"
