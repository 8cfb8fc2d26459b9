// SPDX-License-Identifier: GPL-3.0-or-later
// A hosting copy tells the lobby that started it about its table on the companion connection:
// the latest table as soon as the connection is up, a new line when somebody sits down, and
// the port mapping's outcome once there is one. A stand-in lobby listens on loopback.

#include "app/qt/hostingcopy.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "lobby/companionlines.h"
#include "support/qt/rawclient.h"
#include "support/qt/scriptednatpmp.h"
#include "support/qt/tablewindows.h"
#include "support/qt/tempsettingsfile.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace ui;

namespace {

// The lines a lobby reads from its first companion connection.
class StandInLobby : public QObject {
public:
    std::vector<lobby::CompanionLine> lines;

    StandInLobby() {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* s = m_server.nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, this, [this, s] {
                for (auto& line : m_reader.feed(s->readAll().toStdString()))
                    lines.push_back(std::move(line));
            });
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }
    quint16 port() const { return m_server.serverPort(); }
    const lobby::LobbyTable* table() const {
        for (auto it = lines.rbegin(); it != lines.rend(); ++it)
            if (auto* t = std::get_if<lobby::LobbyTable>(&*it)) return t;
        return nullptr;
    }
    const lobby::ReachLine* reach() const {
        for (auto it = lines.rbegin(); it != lines.rend(); ++it)
            if (auto* r = std::get_if<lobby::ReachLine>(&*it)) return r;
        return nullptr;
    }

private:
    QTcpServer m_server;
    lobby::CompanionReader m_reader;
};

} // namespace

class CompanionTest : public QObject {
    Q_OBJECT
private slots:
    void tableAndReachToTheLobby() {
        testsupport::TempSettingsFile ini;
        testsupport::ScriptedNatpmp gateway(QHostAddress(QStringLiteral("127.0.0.62")));
        TchatOptions options;
        options.params = {"Ann", "127.0.0.1", "true"};
        options.port = testsupport::freePort();
        TableReachOptions reach;
        reach.mapPort = true;
        reach.mapping.useUpnp = false;
        reach.mapping.natpmpGateway = "127.0.0.62";
        reach.mapping.natpmpTimeoutMs = 300;
        Tchat ann(options);
        HostingCopy& hosting = testsupport::hosting(ann, reach);
        ann.show();
        QTRY_VERIFY_WITH_TIMEOUT(ann.client().loggedin(), 10000);
        QVERIFY(ann.companion()); // its own, to port 9001, where no lobby listens here

        // Connected late, the lobby hears the table as it stands at once.
        StandInLobby lobby;
        QTcpSocket companion;
        hosting.companionOpened(&companion);
        companion.connectToHost(QHostAddress::LocalHost, lobby.port());
        // The router forwards the port: reachable at its address, and the table says so too.
        QTRY_VERIFY_WITH_TIMEOUT(lobby.reach() && lobby.table()->reachable, 10000);
        QCOMPARE(*lobby.reach(), (lobby::ReachLine{true, "198.51.100.4", ""}));
        const lobby::LobbyTable table = *lobby.table();
        QCOMPARE(table.host, std::string("Ann"));
        QCOMPARE(table.seated, 1);
        QVERIFY(!table.server && !table.running);
        QCOMPARE(table.address + ":" + std::to_string(table.port),
                 "198.51.100.4:" + std::to_string(options.port));

        // Somebody sits down: one more table line, nothing else.
        const std::size_t before = lobby.lines.size();
        testsupport::RawClient bob(options.port);
        bob.next();
        bob.send("CMD_logininfo+2+1.0.2+Bob");
        QTRY_COMPARE(lobby.table()->seated, 2);
        QCOMPARE(lobby.lines.size(), before + 1);
        ann.close();
    }
};

QTEST_MAIN(CompanionTest)
#include "companion_test.moc"
