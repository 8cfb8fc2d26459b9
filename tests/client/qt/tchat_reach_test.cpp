// SPDX-License-Identifier: GPL-3.0-or-later
// A hosting table window asks a (scripted) router to forward its port and tells the hosting
// player the outcome in one chat line; the game goes on either way, and closing the window
// removes the mapping.

#include "chat/chatmodel.h"
#include "chat/qt/chatpanel.h"
#include "chat/qt/chatview.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "support/qt/scriptednatpmp.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"

#include <QTest>

using namespace ui;

class TchatReachTest : public QObject {
    Q_OBJECT
private slots:
    void reportedOnceAndRemovedOnExit_data() {
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QString>("line");
        QTest::newRow("mapped")
            << true << "0+Players outside your network can reach this table at 198.51.100.4:%1.";
        QTest::newRow("nobody answers")
            << false
            << "0+Nobody could tell whether players outside your network can reach this table "
               "on port %1: no router answered.";
    }
    void reportedOnceAndRemovedOnExit() {
        QFETCH(bool, answers);
        QFETCH(QString, line);
        testsupport::TempSettingsFile ini;
        testsupport::ScriptedNatpmp gateway(QHostAddress(QStringLiteral("127.0.0.61")));
        gateway.silent = !answers;

        TchatOptions options;
        options.params = {"Ann", "127.0.0.1", "true"};
        options.port = testsupport::freePort();
        TableReachOptions reach;
        reach.mapPort = true;
        reach.mapping.useUpnp = false;
        reach.mapping.natpmpGateway = "127.0.0.61";
        reach.mapping.natpmpTimeoutMs = 300;
        line = line.arg(options.port);
        {
            Tchat ann(options);
            testsupport::hosting(ann, reach);
            ann.show();
            // One line, written by the table itself (sender 0) in its own colour, the address
            // and port in one piece.
            QTRY_COMPARE_WITH_TIMEOUT(testsupport::chatText(ann).count(line.mid(2)), 1, 10000);
            QTRY_VERIFY_WITH_TIMEOUT(testsupport::chatHas(ann, "You are Connected."), 10000);
            const QStringList text = testsupport::chatText(ann);
            QCOMPARE(text.count(line.mid(2)), 1);
            const core::ChatModel& model = ann.chat()->view()->model();
            QCOMPARE(model.lines()[static_cast<std::size_t>(text.indexOf(line.mid(2)))].style, 0);
            QCOMPARE(model.style(0).colour, ann.client().systemcolour());
            QVERIFY(ann.client().loggedin());
            ann.close();
        }
        // The gateway notes requests on its own thread: wait for the removal to be noted.
        const QString removal = QStringLiteral("map %1 0").arg(options.port);
        if (answers)
            QTRY_VERIFY_WITH_TIMEOUT(gateway.requests().contains(removal), 10000);
        else
            QVERIFY(!gateway.requests().contains(removal));
    }
};

QTEST_MAIN(TchatReachTest)
#include "tchat_reach_test.moc"
