// SPDX-License-Identifier: GPL-3.0-or-later
// The dedicated host started with --lobby against a real Prosody: a member of the lobby room
// sees its table (a server, at the address given, on the port it listens on) and sees it
// change when a player logs in; the table goes when the host ends.

#include "lobby/qt/xmpp/xmppsession.h"
#include "support/qt/prosodyfixture.h"
#include "support/qt/rawclient.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

#ifndef BRAMBLIES_HOST_EXE
#error "BRAMBLIES_HOST_EXE must name the dedicated host's own program"
#endif

namespace {

constexpr int kWaitMs = 20000; // the machine may be busy with other builds

// What one member of the room sees of the tables there.
struct RoomView : lobby::SessionListener {
    void signedIn(const std::string&) override {}
    void failed(const std::string& message) override { failures.push_back(message); }
    void accountCreated() override {}
    void occupantChanged(const lobby::Occupant& o) override {
        tables[o.nick] = o.table ? lobby::readTable(*o.table) : std::nullopt;
    }
    void occupantLeft(const std::string& nick) override { tables.erase(nick); }
    void chatLine(const std::string&, const std::string&) override {}

    std::optional<lobby::LobbyTable> table(const std::string& nick) const {
        const auto it = tables.find(nick);
        return it == tables.end() ? std::nullopt : it->second;
    }
    std::map<std::string, std::optional<lobby::LobbyTable>> tables;
    std::vector<std::string> failures;
};

} // namespace

class HostLobbyTest : public QObject {
    Q_OBJECT
private slots:
    void aDedicatedHostListsItself() {
        testsupport::ProsodyFixture server;
        QVERIFY2(server.ok(), qPrintable(server.error()));
        QVERIFY(server.registerAccount("tables", "host secret"));
        QVERIFY(server.registerAccount("ann", "secret"));
        QTemporaryDir dir;
        const QString passwordFile = dir.filePath("lobby.pw");
        QFile file(passwordFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("host secret\n");
        file.close();

        QProcess host;
        host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        host.start(BRAMBLIES_HOST_EXE,
                   {"--port", "0", "--lobby", "tables@localhost", "--lobby-password-file",
                    passwordFile, "--lobby-ca", server.caFile(), "--lobby-connect",
                    QStringLiteral("127.0.0.1:%1").arg(server.port()), "--lobby-address",
                    "203.0.113.9"});
        QVERIFY(host.waitForStarted(kWaitMs));
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += host.readAllStandardOutput()).contains('\n'), kWaitMs);
        const auto port = QRegularExpression("port (\\d+)").match(out).captured(1).toInt();
        QVERIFY(port > 0);

        lobby::XmppSession ann;
        RoomView view;
        ann.setListener(&view);
        ann.signIn(server.account("ann", "secret"));
        QTRY_VERIFY_WITH_TIMEOUT(view.table("tables"), kWaitMs);
        lobby::LobbyTable table = *view.table("tables");
        QCOMPARE(table.host + " " + table.address, std::string("tables 203.0.113.9"));
        QCOMPARE(table.port, port);
        QVERIFY(table.server && table.reachable && !table.running);
        QCOMPARE(table.seated, 0);

        testsupport::RawClient bob(static_cast<quint16>(port));
        QVERIFY(bob.next());
        bob.send("CMD_logininfo+1+1.0.2+Bob");
        QTRY_COMPARE_WITH_TIMEOUT(view.table("tables").value_or(table).seated, 1, kWaitMs);

        host.terminate();
        QVERIFY(host.waitForFinished(kWaitMs));
        QTRY_VERIFY_WITH_TIMEOUT(!view.tables.count("tables"), kWaitMs);
        QVERIFY(view.failures.empty());
    }
};

QTEST_GUILESS_MAIN(HostLobbyTest)
#include "hostlobby_test.moc"
