// SPDX-License-Identifier: GPL-3.0-or-later
// The metrics of a host wired as the dedicated host wires it, read over HTTP while a scripted
// player plays a whole game against the computer. A small exposition-format parser checks the
// names, the types and the values; a reader that takes nothing of its answer while the game
// runs holds nothing up.

#include "host/hostmetrics.h"
#include "host/qt/hostserver.h"
#include "host/qt/metricsserver.h"
#include "host/turnengine.h"
#include "support/qt/clientboard.h"
#include "support/qt/rawclient.h"
#include "support/qt/scriptedseat.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QtTest>

#include <map>
#include <optional>
#include <string>

using testsupport::ClientBoard;
using testsupport::fieldsOf;
using testsupport::RawClient;
using testsupport::ScriptedSeat;

namespace {

// One request; the whole answer, once the server has closed the connection.
QByteArray fetch(quint16 port, const QByteArray& request) {
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port);
    if (!s.waitForConnected(10000)) return {};
    s.write(request);
    QByteArray got;
    const bool closed = QTest::qWaitFor(
        [&] {
            got += s.readAll();
            return s.state() == QAbstractSocket::UnconnectedState;
        },
        10000);
    return closed ? got + s.readAll() : QByteArray("(still open) ") + got;
}

// The samples of an exposition by "name{labels}", after checking that every line is a
// comment, a TYPE for the family, or a sample of a family whose TYPE came first.
std::map<QString, double> parseExposition(const QByteArray& body, QString* fault) {
    static const QRegularExpression sample(
        QStringLiteral(R"(^([a-z_][a-z0-9_]*)(\{[a-z_]+="[^"\\]*"\})? ([0-9.e+-]+|\+Inf)$)"));
    static const QRegularExpression type(
        QStringLiteral(R"(^# TYPE (bramblies_[a-z0-9_]+) (counter|gauge|histogram)$)"));
    std::map<QString, QString> types;
    std::map<QString, double> out;
    for (const QString& line : QString::fromUtf8(body).split('\n', Qt::SkipEmptyParts)) {
        if (auto t = type.match(line); t.hasMatch()) {
            types[t.captured(1)] = t.captured(2);
            if (t.captured(2) == "counter" && !t.captured(1).endsWith("_total"))
                *fault = "counter without _total: " + line;
            continue;
        }
        if (line.startsWith("# HELP ")) continue;
        auto m = sample.match(line);
        if (!m.hasMatch()) {
            *fault = "not a sample: " + line;
            continue;
        }
        QString family = m.captured(1);
        family.remove(QRegularExpression(QStringLiteral("_(bucket|sum|count)$")));
        if (!types.count(m.captured(1)) && types[family] != "histogram")
            *fault = "no TYPE before " + line;
        out[m.captured(1) + m.captured(2)] = m.captured(3).toDouble();
    }
    return out;
}

QString series(const char* name, const char* label, const char* value) {
    return QStringLiteral("%1{%2=\"%3\"}").arg(name, label, value);
}

} // namespace

class MetricsTest : public QObject {
    Q_OBJECT

    std::map<QString, double> scrape(quint16 port) {
        const QByteArray answer = fetch(port, "GET /metrics HTTP/1.1\r\nHost: t\r\n\r\n");
        const qsizetype split = answer.indexOf("\r\n\r\n");
        if (!answer.startsWith("HTTP/1.1 200 OK\r\n") || split < 0) {
            qWarning("answer: %s", answer.constData());
            return {};
        }
        QString fault;
        auto samples = parseExposition(answer.mid(split + 4), &fault);
        if (!fault.isEmpty()) qWarning("%s", qPrintable(fault));
        return fault.isEmpty() ? samples : std::map<QString, double>{};
    }

private slots:
    void countersFollowAGameAndASlowReaderHoldsNothingUp() {
        ui::HostServer server;
        server.setTimeScale(500);
        auto turns = core::makeTurnEngine(server.state(), 20240607);
        server.setTurnHandler(turns.get());
        core::HostMetrics metrics;
        server.state().addWatcher(&metrics);
        server.setMetrics(&metrics);
        ui::MetricsServer http([&] { return metrics.exposition(server.gameHost()); });
        QVERIFY(server.listen(0));
        QVERIFY(http.listen(QHostAddress::LocalHost, 0));

        auto before = scrape(http.serverPort());
        QVERIFY(!before.empty());
        QCOMPARE(before["bramblies_games_started_total"], 0.0);
        QCOMPARE(before[series("bramblies_messages_sent_total", "command", "CMD_winner")], 0.0);

        // A reader that takes no more than one byte until the game is over.
        QTcpSocket slow;
        slow.setReadBufferSize(1);
        slow.connectToHost(QHostAddress::LocalHost, http.serverPort());
        QVERIFY(slow.waitForConnected(10000));
        slow.write("GET /metrics HTTP/1.1\r\n\r\n");

        qint64 sentBytes = 0;
        RawClient alice(server.serverPort());
        auto send = [&](const std::string& m) {
            alice.send(m);
            sentBytes += static_cast<qint64>(m.size()) + 1;
        };
        QCOMPARE(alice.next().value_or("(none)"), std::string("CMD_sendlogininfo+1"));
        send("CMD_logininfo+1+1.0.2+Alice");
        QCOMPARE(alice.next().value_or("(none)"), std::string("CMD_newplayerinfo+1+Alice+0"));
        send("CMD_chat+1+hello|clBlack");
        QCOMPARE(alice.next().value_or("(none)"),
                 std::string("CMD_chat+1+Alice chats: hello|clBlack"));
        send("CMD_startgame+Alice+0+");
        ClientBoard board;
        ScriptedSeat script(1);
        int received = 3;
        bool over = false;
        while (!over) {
            auto message = alice.next();
            QVERIFY2(message, "the game stopped");
            board.apply(*message);
            over = fieldsOf(*message)[0] == "CMD_winner";
            for (const auto& request : script.answer(board, *message)) {
                send(request);
                ++received;
            }
        }
        // An unknown word is counted as "other"; the chat after it shows all has been handled.
        send("CMD_bogus+1");
        send("CMD_chat+1+bye|clBlack");
        received += 2;
        std::optional<std::string> bye;
        while ((bye = alice.next()) && *bye != "CMD_chat+1+Alice chats: bye|clBlack") {
        }
        QVERIFY(bye);

        auto after = scrape(http.serverPort());
        QVERIFY(!after.empty());
        const std::map<QString, double> expected{
            {"bramblies_players", 1},
            {"bramblies_spectators", 0},
            {"bramblies_seats_in_play", 0},
            {"bramblies_games_started_total", 1},
            {"bramblies_games_finished_total", 1},
            {"bramblies_turns_total", 14},
            {"bramblies_connections_accepted_total", 1},
            {"bramblies_connections_refused_total", 0},
            {series("bramblies_messages_received_total", "command", "CMD_logininfo"), 1},
            {series("bramblies_messages_received_total", "command", "CMD_chat"), 2},
            {series("bramblies_messages_received_total", "command", "other"), 1},
            {series("bramblies_messages_sent_total", "command", "CMD_winner"), 1},
            {series("bramblies_messages_sent_total", "command", "CMD_nextplayer"), 14},
            {"bramblies_received_bytes_total", double(sentBytes)},
            {"bramblies_receive_queue_depth", 0},
            {"bramblies_receive_queue_wait_seconds_count", double(received)},
            {series("bramblies_receive_queue_wait_seconds_bucket", "le", "+Inf"), double(received)},
        };
        for (const auto& [name, value] : expected)
            QVERIFY2(after.count(name) && after[name] == value,
                     qPrintable(name + " is " + QString::number(after[name])));
        QVERIFY(after["bramblies_sent_bytes_total"] > after["bramblies_received_bytes_total"]);

        // The slow reader, which took one byte of its answer into its buffer meanwhile, now
        // takes the rest.
        slow.setReadBufferSize(0);
        QByteArray got;
        QVERIFY(QTest::qWaitFor(
            [&] {
                got += slow.readAll();
                return slow.state() == QAbstractSocket::UnconnectedState;
            },
            20000));
        got += slow.readAll();
        QVERIFY2(got.startsWith("HTTP/1.1 200 OK\r\n"), got.constData());
        QVERIFY(got.contains("\nbramblies_games_started_total "));
    }

    void aCrowdOfSilentAndSlowReadersCannotLockOutAScraper() {
        ui::MetricsServer http([] { return std::string(100000, '#') + "\nbramblies_up 1\n"; });
        QVERIFY(http.listen(QHostAddress::LocalHost, 0));
        // 24 that ask and never read, 24 that never ask: all connected, more than the server
        // holds at once.
        std::vector<std::unique_ptr<QTcpSocket>> crowd;
        for (int i = 0; i < 48; ++i) {
            auto s = std::make_unique<QTcpSocket>();
            s->setReadBufferSize(1);
            s->connectToHost(QHostAddress::LocalHost, http.serverPort());
            QVERIFY(s->waitForConnected(5000));
            if (i % 2 == 0) s->write("GET /metrics HTTP/1.1\r\n\r\n");
            crowd.push_back(std::move(s));
        }
        QCoreApplication::processEvents(); // the crowd is in before the scraper
        const QByteArray answer = fetch(http.serverPort(), "GET /metrics HTTP/1.1\r\n\r\n");
        QVERIFY2(answer.startsWith("HTTP/1.1 200 OK\r\n"), answer.left(100).constData());
        QVERIFY(answer.endsWith("bramblies_up 1\n"));
    }

    void onlyGetAndHeadOfMetrics() {
        ui::MetricsServer http([] { return std::string("bramblies_up 1\n"); });
        QVERIFY(http.listen(QHostAddress::LocalHost, 0));
        const struct {
            QByteArray request, start;
        } cases[] = {
            {"GET /metrics HTTP/1.1\r\n\r\n", "HTTP/1.1 200 OK\r\n"},
            {"GET /metrics?x=1 HTTP/1.0\r\n\r\n", "HTTP/1.1 200 OK\r\n"},
            {"GET / HTTP/1.1\r\n\r\n", "HTTP/1.1 404 Not Found\r\n"},
            {"POST /metrics HTTP/1.1\r\n\r\n", "HTTP/1.1 405 Method Not Allowed\r\n"},
            {"nonsense\r\n\r\n", "HTTP/1.1 400 Bad Request\r\n"},
            {"GET /metrics HTTP/1.1\r\nX: " + QByteArray(9000, 'x') + "\r\n\r\n", "HTTP/1.1 431 "},
        };
        for (const auto& c : cases) {
            const QByteArray answer = fetch(http.serverPort(), c.request);
            QVERIFY2(answer.startsWith(c.start), answer.left(200).constData());
        }
        const QByteArray head = fetch(http.serverPort(), "HEAD /metrics HTTP/1.1\r\n\r\n");
        QVERIFY(head.endsWith("Content-Length: 15\r\nConnection: close\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(MetricsTest)
#include "metrics_test.moc"
