// SPDX-License-Identifier: GPL-3.0-or-later
// The dedicated host's Agones calls against a scripted SDK server on loopback that records
// every request: ready after listening, health at its interval, allocate on the first login,
// labels as players come and go, shutdown once the table has stayed empty (in a game or not); and
// the table keeps serving when the sidecar starts late, answers 500 or goes away; an endless
// answer is cut off and a redirect is not followed; the public address comes from the
// GameServer record once it is Ready.

#include "host/qt/agonesclient.h"
#include "host/qt/hostserver.h"
#include "host/turnengine.h"
#include "support/qt/clientboard.h"
#include "support/qt/rawclient.h"
#include "support/qt/scriptedseat.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>
#include <tuple>

using testsupport::ClientBoard;
using testsupport::fieldsOf;
using testsupport::RawClient;
using testsupport::ScriptedSeat;

namespace {

// Answers every request with `status` (or the raw `answer`, or an answer without end) and
// records it as "METHOD /path body".
class ScriptedSdk : public QObject {
public:
    QStringList calls;
    int status = 200;
    QByteArray answer;
    QByteArray gameServer; // the body of GET /gameserver's answer, when set
    bool endless = false;
    bool dropped = false; // a client closed a connection while an endless answer went out

    bool listen(quint16 port = 0) {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_server.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [this, s] { read(s); });
        });
        return m_server.listen(QHostAddress::LocalHost, port);
    }
    quint16 port() const { return m_server.serverPort(); }
    void stop() {
        m_server.close();
        for (auto* s : m_server.findChildren<QTcpSocket*>())
            s->abort();
    }
    int count(const QString& call) const { return int(calls.filter(call).size()); }

private:
    void read(QTcpSocket* s) {
        m_buffer[s] += s->readAll();
        QByteArray& b = m_buffer[s];
        const qsizetype end = b.indexOf("\r\n\r\n");
        if (end < 0) return;
        const QByteArray head = b.left(end);
        qsizetype length = 0;
        for (const QByteArray& line : head.split('\n'))
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        if (b.size() < end + 4 + length) return;
        const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
        calls << QString::fromLatin1(words.value(0) + ' ' + words.value(1) + ' ' +
                                     b.mid(end + 4, length));
        b.remove(0, end + 4 + length);
        if (endless) {
            s->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n");
            connect(s, &QTcpSocket::bytesWritten, s, [s] {
                if (s->bytesToWrite() < 65536) s->write(QByteArray(65536, ' '));
            });
            connect(s, &QTcpSocket::disconnected, this, [this] { dropped = true; });
            return;
        }
        if (!answer.isEmpty()) {
            s->write(answer);
            return;
        }
        if (words.value(1) == "/gameserver" && !gameServer.isEmpty()) {
            s->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                     QByteArray::number(gameServer.size()) + "\r\n\r\n" + gameServer);
            return;
        }
        s->write("HTTP/1.1 " + QByteArray::number(status) +
                 " X\r\nContent-Type: application/json\r\nContent-Length: 2\r\n\r\n{}");
    }
    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_buffer;
};

RawClient* login(std::unique_ptr<RawClient>& client, quint16 port, int slot, const char* name) {
    client = std::make_unique<RawClient>(port);
    client->next();
    client->send("CMD_logininfo+" + std::to_string(slot) + "+1.0.2+" + name);
    client->next();
    return client.get();
}

} // namespace

class AgonesTest : public QObject {
    Q_OBJECT

    ui::AgonesOptions fast(quint16 port) {
        ui::AgonesOptions o;
        o.sdkPort = port;
        o.healthIntervalMs = 100;
        o.firstRetryMs = 20;
        o.maxRetryMs = 100;
        o.idleShutdownMs = 200;
        return o;
    }

private slots:
    void followsTheTableFromReadyToShutdown() {
        ScriptedSdk sdk;
        QVERIFY(sdk.listen());
        ui::HostServer server;
        server.setTimeScale(500);
        auto turns = core::makeTurnEngine(server.state(), 7);
        server.setTurnHandler(turns.get());
        QStringList log;
        ui::AgonesClient agones(server, fast(sdk.port()),
                                [&](const std::string& l) { log << QString::fromStdString(l); });
        QVERIFY(server.listen(0));
        agones.start();
        QTRY_VERIFY(sdk.count("POST /health") >= 2);
        QCOMPARE(sdk.calls.value(0), QStringLiteral("POST /ready {}"));
        QCOMPARE(sdk.count("/allocate"), 0);

        std::unique_ptr<RawClient> alice, bob, cy;
        login(alice, server.serverPort(), 1, "Alice");
        QTRY_COMPARE(sdk.count("PUT /metadata/label {\"key\":\"seated\",\"value\":\"1\"}"), 1);
        login(bob, server.serverPort(), 2, "Bob");
        QTRY_COMPARE(sdk.count("PUT /metadata/label {\"key\":\"seated\",\"value\":\"2\"}"), 1);
        QCOMPARE(sdk.count("POST /allocate {}"), 1);
        QVERIFY(sdk.calls.indexOf("POST /allocate {}") <
                sdk.calls.indexOf("PUT /metadata/label {\"key\":\"seated\",\"value\":\"1\"}"));
        bob.reset();
        QTRY_COMPARE(sdk.count("PUT /metadata/label {\"key\":\"seated\",\"value\":\"1\"}"), 2);

        // A game with the computer; when Alice has gone the table is empty, and after the
        // idle time the host asks to be shut down, once.
        alice->send("CMD_startgame+Alice+0+");
        ClientBoard board;
        ScriptedSeat script(1);
        for (bool over = false; !over;) {
            auto m = alice->next();
            QVERIFY2(m, "the game stopped");
            board.apply(*m);
            over = fieldsOf(*m)[0] == "CMD_winner";
            for (const auto& r : script.answer(board, *m))
                alice->send(r);
        }
        QCOMPARE(sdk.count("/shutdown"), 0);
        alice.reset();
        QTRY_COMPARE(sdk.count("POST /shutdown {}"), 1);
        QVERIFY(log.contains("agones: ready"));
        QVERIFY(log.contains("agones: allocated"));
    }

    // The GameServer record is read again until it is Ready; its address and first port are
    // then told once. Missing or odd fields leave no public address.
    void thePublicAddressComesFromTheReadyRecord() {
        ScriptedSdk sdk;
        sdk.gameServer = R"({"status":{"state":"Scheduled","address":""}})";
        QVERIFY(sdk.listen());
        ui::HostServer server;
        ui::AgonesClient agones(server, fast(sdk.port()), [](const std::string&) {});
        QSignalSpy told(&agones, &ui::AgonesClient::publicAddress);
        agones.start();
        QTRY_VERIFY(sdk.count("GET /gameserver") >= 3);
        QCOMPARE(told.count(), 0);
        sdk.gameServer = R"({"object_meta":{"name":"gs"},"status":{"state":"Ready",
            "address":"203.0.113.7","ports":[{"name":"default","port":7001},{"port":7002}]}})";
        QTRY_COMPARE(told.count(), 1);
        QCOMPARE(told.at(0), (QVariantList{QStringLiteral("203.0.113.7"), 7001}));
        // Not asked again: a few health calls go by without one.
        const int asked = sdk.count("GET /gameserver"), health = sdk.count("POST /health");
        QTRY_VERIFY(sdk.count("POST /health") >= health + 3);
        QCOMPARE(sdk.count("GET /gameserver"), asked);

        using Record = ui::AgonesClient::PublicAddress;
        const auto read = [](const char* json) {
            const Record r = ui::AgonesClient::readGameServer(json);
            return std::tuple(r.ready, r.address, r.port);
        };
        QCOMPARE(
            read(
                R"({"status":{"state":"Allocated","address":"a.example","ports":[{"port":"7003"}]}})"),
            std::tuple(true, QStringLiteral("a.example"), 7003));
        QCOMPARE(read(R"({"status":{"state":"Ready"}})"), std::tuple(true, QString(), 0));
        QCOMPARE(read(R"({"status":{"state":"Ready","address":"a b","ports":[{"port":70000}]}})"),
                 std::tuple(true, QString(), 0));
        QCOMPARE(read("not json"), std::tuple(false, QString(), 0));
    }

    // A spare table waits however long it is empty; one whose players walk out of an unfinished
    // game is shut down after the idle time all the same.
    void aTableLeftDuringAGameIsShutDownWhenIdle() {
        ScriptedSdk sdk;
        QVERIFY(sdk.listen());
        ui::HostServer server;
        auto turns = core::makeTurnEngine(server.state(), 7);
        server.setTurnHandler(turns.get());
        ui::AgonesClient agones(server, fast(sdk.port()), [](const std::string&) {});
        QVERIFY(server.listen(0));
        agones.start();
        QTRY_VERIFY(sdk.count("POST /health") >= 4); // twice the idle time
        QCOMPARE(sdk.count("/shutdown"), 0);

        std::unique_ptr<RawClient> alice;
        login(alice, server.serverPort(), 1, "Alice");
        alice->send("CMD_startgame+Alice+0+");
        while (auto m = alice->next())
            if (fieldsOf(*m)[0] == "CMD_nextplayer") break;
        alice.reset();
        QTRY_COMPARE(sdk.count("POST /shutdown {}"), 1);
        QVERIFY(server.state().turn.gamerunning);
    }

    // Late, failing, gone: the table goes on serving, and each call gets through once the
    // sidecar answers.
    void aMissingOrFailingSidecarIsRetriedAndNeverStopsTheTable() {
        quint16 port = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            port = probe.serverPort();
        }
        ui::HostServer server;
        QStringList log;
        ui::AgonesClient agones(server, fast(port),
                                [&](const std::string& l) { log << QString::fromStdString(l); });
        QVERIFY(server.listen(0));
        agones.start();
        std::unique_ptr<RawClient> alice, bob;
        login(alice, server.serverPort(), 1, "Alice");
        QTRY_VERIFY(log.filter("does not answer").size() == 1);

        ScriptedSdk sdk;
        sdk.status = 500;
        QVERIFY(sdk.listen(port)); // late, and failing
        QTRY_VERIFY(sdk.count("POST /ready") >= 3);
        QCOMPARE(sdk.count("/allocate"), 0); // still waiting its turn behind ready
        sdk.status = 200;
        QTRY_COMPARE(sdk.count("POST /allocate {}"), 1);
        QTRY_VERIFY(log.contains("agones: the SDK server answers again"));

        sdk.stop(); // gone
        login(bob, server.serverPort(), 2, "Bob");
        alice->send("CMD_chat+1+still here|clBlack");
        std::optional<std::string> m;
        while ((m = bob->next()) && *m != "CMD_chat+1+Alice chats: still here|clBlack") {
        }
        QVERIFY2(m, "the table stopped relaying");
        QTRY_VERIFY(log.filter("does not answer").size() == 2);
    }

    // The sidecar's answers are a few bytes: one without end is cut off and counts as a failed
    // call, and a redirect elsewhere is a failed call too, never followed.
    void anEndlessAnswerOrARedirectIsAFailedCall() {
        ScriptedSdk endless, redirecting, elsewhere;
        endless.endless = true;
        QVERIFY(endless.listen() && redirecting.listen() && elsewhere.listen());
        redirecting.answer = "HTTP/1.1 307 Temporary Redirect\r\nLocation: http://127.0.0.1:" +
                             QByteArray::number(elsewhere.port()) +
                             "/ready\r\nContent-Length: 0\r\n\r\n";
        ui::HostServer server;
        QStringList log;
        auto keep = [&](const std::string& l) { log << QString::fromStdString(l); };
        ui::AgonesClient cutOff(server, fast(endless.port()), keep);
        cutOff.start();
        QTRY_VERIFY(endless.dropped);
        QTRY_VERIFY(log.filter("answer longer than 65536 bytes").size() == 1);
        QTRY_VERIFY(endless.count("POST /ready") >= 2);

        ui::AgonesClient redirected(server, fast(redirecting.port()), keep);
        redirected.start();
        QTRY_VERIFY(redirecting.count("POST /ready") >= 3);
        QCOMPARE(elsewhere.calls, QStringList());
    }
};

QTEST_GUILESS_MAIN(AgonesTest)
#include "agones_test.moc"
