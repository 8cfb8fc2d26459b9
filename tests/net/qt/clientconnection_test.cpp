// SPDX-License-Identifier: GPL-3.0-or-later
// The table client's connection against a scripted host on a loopback port.
#include "net/qt/clientconnection.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <string>

using ui::ClientConnection;

namespace {
const char T = '\xff';
}

class ClientConnectionTest : public QObject {
    Q_OBJECT

    QTcpServer m_server;
    QTcpSocket* m_peer = nullptr; // the host's end
    ClientConnection* m_client = nullptr;
    QStringList m_log; // entries and status texts in the order they were raised

    void connectClient() {
        m_client->connectToHost("127.0.0.1", m_server.serverPort());
        QTRY_VERIFY_WITH_TIMEOUT(m_server.hasPendingConnections(), 5000);
        m_peer = m_server.nextPendingConnection();
        QTRY_VERIFY_WITH_TIMEOUT(m_log.contains("status Non-Blocking Socket Connected"), 5000);
        m_log.clear();
    }

private slots:
    void init() {
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        m_client = new ClientConnection(this);
        connect(m_client, &ClientConnection::entryReady, this,
                [this](const std::string& e) { m_log << "entry " + QString::fromStdString(e); });
        connect(m_client, &ClientConnection::statusText, this,
                [this](const QString& t) { m_log << "status " + t; });
    }
    void cleanup() {
        delete m_client;
        m_client = nullptr;
        m_server.close();
        delete m_peer;
        m_peer = nullptr;
        m_log.clear();
    }

    void framesReadsIntoEntriesInOrder() {
        connectClient();
        m_peer->write(QByteArray("CMD_sendlogininfo+3") + T + "CMD_chat+1+a|c" + T + "CMD_ch");
        m_peer->flush();
        // The whole messages handed on: the piece after them has been read too.
        QTRY_COMPARE_WITH_TIMEOUT(m_log.size(), 2, 5000);
        m_peer->write(QByteArray("at+1+b|c") + T + T + "CMD_full" + T);
        const QStringList expected{"entry CMD_sendlogininfo+3", "entry CMD_chat+1+a|c",
                                   "entry CMD_chat+1+b|c", "entry ", "entry CMD_full"};
        QTRY_COMPARE_WITH_TIMEOUT(m_log, expected, 5000);
    }

    void sendsWithTheTerminator() {
        connectClient();
        m_client->send("CMD_logininfo+3+1.0.2+Zo\xc3\xab");
        QByteArray got;
        QTRY_VERIFY_WITH_TIMEOUT((got += m_peer->readAll()).endsWith(T), 5000);
        QCOMPARE(got, QByteArray("CMD_logininfo+3+1.0.2+Zo\xc3\xab") + T);
    }

    void closeIsReportedAfterTheLastMessage() {
        connectClient();
        m_peer->write(QByteArray("CMD_chat+1+bye|c") + T + "CMD_full+" + T);
        m_peer->disconnectFromHost();
        const QStringList expected{"entry CMD_chat+1+bye|c", "entry CMD_full+",
                                   "status Socket Closed"};
        QTRY_COMPARE_WITH_TIMEOUT(m_log, expected, 5000);
    }

    void failuresAreStatusTexts() {
        m_client->send("CMD_chat+1+x|c");
        QCOMPARE(m_log, QStringList{"status Send - Socket Not Connected"});
        m_log.clear();

        quint16 unused = m_server.serverPort();
        m_server.close(); // nothing listens there now
        m_client->connectToHost("127.0.0.1", unused);
        QTRY_COMPARE_WITH_TIMEOUT(m_log, QStringList{"status Error #111 (ECONNREFUSED)"}, 5000);
        // A failed connect is not followed by "Socket Closed": one raised for it would come
        // before the news of the next connection.
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        m_client->connectAgain("127.0.0.1", m_server.serverPort());
        QTRY_COMPARE_WITH_TIMEOUT(m_log.size(), 2, 5000);
        QCOMPARE(m_log, (QStringList{"status Error #111 (ECONNREFUSED)",
                                     "status Non-Blocking Socket Connected"}));
        QTRY_VERIFY_WITH_TIMEOUT(m_server.hasPendingConnections(), 5000);
        m_peer = m_server.nextPendingConnection();
        m_log.clear();

        ClientConnection lookup;
        QSignalSpy status(&lookup, &ClientConnection::statusText);
        lookup.connectToHost("no-such-host.invalid", unused);
        QTRY_VERIFY_WITH_TIMEOUT(status.count() > 0, 10000);
        QCOMPARE(status.value(0).value(0).toString(),
                 QString("Host Lookup - Could Not Find Host Entry"));
    }

    void anOversizedMessageEndsTheConnection() {
        connectClient();
        m_peer->write(QByteArray("CMD_chat+1+ok|c") + T + QByteArray(64 * 1024 + 1, 'x'));
        const QStringList expected{"entry CMD_chat+1+ok|c", "status Socket Closed"};
        QTRY_COMPARE_WITH_TIMEOUT(m_log, expected, 5000);
    }

    // While a handler holds the queue (as a modal box does) a host that keeps sending large
    // messages is cut off once their bytes pass the bound; what was queued before still
    // arrives, then the close.
    void tooManyWaitingBytesEndTheConnection() {
        constexpr int kSize = 60000; // well under the per-message limit
        constexpr int kFits = int(ClientConnection::kMaxWaitingBytes / kSize);
        static_assert(kFits < 100 && kFits < int(ClientConnection::kMaxWaiting));
        const std::string big(kSize, 'x');
        bool closedWhileHeld = false;
        connect(m_client, &ClientConnection::entryReady, this, [&](const std::string& e) {
            if (e != "CMD_chat+1+hold|c") return;
            // The host keeps sending while this handler runs its own event loop.
            for (int n = 0; n < 100; ++n)
                m_peer->write(QByteArray::fromStdString(big) + T);
            QDeadlineTimer deadline(10000);
            while (m_client->isConnected() && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            closedWhileHeld = !m_client->isConnected();
        });
        connectClient();
        m_peer->write(QByteArray("CMD_chat+1+hold|c") + T);
        QTRY_VERIFY_WITH_TIMEOUT(m_log.endsWith("status Socket Closed"), 15000);
        QVERIFY(closedWhileHeld);
        QCOMPARE(m_log.size(), 1 + kFits + 1);
        QCOMPARE(m_log.count("entry " + QString::fromStdString(big)), kFits);
    }
};

QTEST_MAIN(ClientConnectionTest)
#include "clientconnection_test.moc"
