// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/queuedevents.h"
#include "support/qt/testcertificates.h"
#include "windows/sitelinks.h"
#include "windows/tdownload.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

using ui::Tdownload;

namespace {

// A one-shot HTTPS server on a loopback port: it reads the request and answers with a header
// and a body sent in pieces; with hold set, it keeps the connection open after the pieces.
class TestServer : public QTcpServer {
public:
    QByteArray header;
    QList<QByteArray> pieces;
    bool hold = false;
    QByteArray request;
    bool peerGone = false; // the client closed its end

    explicit TestServer(const testsupport::TlsIdentity& identity) : m_identity(identity) {
        listen(QHostAddress::LocalHost, 0);
    }
    QString url(const QString& path) const {
        return QStringLiteral("https://127.0.0.1:%1%2").arg(serverPort()).arg(path);
    }

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* s = new QSslSocket(this);
        s->setSocketDescriptor(descriptor);
        s->setLocalCertificate(m_identity.certificate);
        s->setPrivateKey(m_identity.key);
        connect(s, &QSslSocket::disconnected, this, [this] { peerGone = true; });
        connect(s, &QSslSocket::readyRead, this, [this, s] {
            request += s->readAll();
            if (!request.contains("\r\n\r\n")) return;
            s->write(header);
            s->flush();
            for (const QByteArray& piece : pieces) {
                s->write(piece);
                s->flush();
                s->waitForBytesWritten(1000);
            }
            if (!hold) s->disconnectFromHost();
        });
        s->startServerEncryption();
    }

private:
    testsupport::TlsIdentity m_identity;
};

QString status(Tdownload& w, int line) {
    return line == 1 ? w.statusLine1() : w.statusLine2();
}

} // namespace

class TdownloadTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void transfers_data();
    void transfers();
    void stopAfterSomeData();
    void stopBeforeAnyDownload();
    void headerLinesAddDotsAndAnEndlessHeaderFails();
    void playWithOthers();
    void enterPlaysSolo();

private:
    testsupport::TestCertificates m_certificates;
    QTemporaryDir m_dir;
    QList<QStringList> m_started;
};

void TdownloadTest::initTestCase() {
    QVERIFY2(m_certificates.ok(), qPrintable(m_certificates.error()));
    m_certificates.trustAuthority();
}

void TdownloadTest::init() {
    m_started.clear();
    ui::siteLinks().downloadDirectory = m_dir.path();
    ui::setProgramStarter([this](const QString& program, const QStringList& args, const QString&) {
        m_started << (QStringList{program} + args);
        return true;
    });
}

void TdownloadTest::transfers_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<bool>("vouched"); // the server's certificate comes from a trusted authority
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");
    QTest::addColumn<bool>("installed");

    const QList<QByteArray> body = {QByteArray(3000, 'a'), QByteArray(5000, 'b')};
    const QByteArray whole = "HTTP/1.1 200 OK\r\nContent-Length: 8000\r\n\r\n";
    const QString https = QStringLiteral("https");
    QTest::newRow("success") << whole << body << https << true
                             << QStringLiteral("Received 8000 bytes")
                             << QStringLiteral("Installing") << true;
    // Without a length, a connection closed early cannot be told from a finished answer.
    QTest::newRow("no length") << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: x\r\n\r\n") << body
                               << https << true << QStringLiteral("Download Aborted") << QString()
                               << false;
    QTest::newRow("not found") << QByteArray(
                                      "HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n\r\n")
                               << QList<QByteArray>{"<h1>no such file</h1>"} << https << true
                               << QStringLiteral("Download Aborted") << QString() << false;
    QTest::newRow("cut short") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 9000\r\n\r\n")
                               << body << https << true << QStringLiteral("Download Aborted")
                               << QStringLiteral("Downloading: lobbysetup.bin") << false;
    QTest::newRow("unvouched certificate")
        << whole << body << https << false << QStringLiteral("Download Aborted") << QString()
        << false;
    QTest::newRow("plain http") << whole << body << QStringLiteral("http") << true
                                << QStringLiteral("Download Aborted") << QString() << false;
}

void TdownloadTest::transfers() {
    QFETCH(QByteArray, header);
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QString, scheme);
    QFETCH(bool, vouched);
    QFETCH(QString, line1);
    QFETCH(QString, line2);
    QFETCH(bool, installed);

    TestServer server(vouched ? m_certificates.signedServer() : m_certificates.selfSigned());
    server.header = header;
    server.pieces = pieces;
    QString url = server.url("/files/lobbysetup.bin");
    url.replace(QStringLiteral("https:"), scheme + ':');
    ui::siteLinks().installerUrl = url;

    Tdownload w;
    QSignalSpy exits(&w, &Tdownload::exitRequested);
    auto* get = w.findChild<QPushButton*>("getbutton");
    auto* stop = w.findChild<QPushButton*>("abortbutton");
    get->click();
    if (scheme == "https") { // a plain address is refused at once
        QCOMPARE(w.statusLine1(), QStringLiteral("Loading"));
        QVERIFY(!get->isEnabled());
        QVERIFY(stop->isEnabled());
    }
    QVERIFY(QTest::qWaitFor([&] { return get->isEnabled(); }, 5000));

    if (scheme == "https" && vouched) {
        QVERIFY(server.request.startsWith("GET /files/lobbysetup.bin HTTP/1.0\r\n"));
        QVERIFY(server.request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible)\r\n"));
        QVERIFY(server.request.contains(
            "\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"));
    } else {
        QVERIFY(server.request.isEmpty()); // nothing was asked of a server we cannot trust
    }

    QCOMPARE(status(w, 1), line1);
    QCOMPARE(status(w, 2), line2);
    QVERIFY(!stop->isEnabled());
    QCOMPARE(w.downloadState(), installed ? 1 : 2);
    const QString path = QDir(m_dir.path()).filePath("lobbysetup.bin");
    if (installed) {
        QCOMPARE(m_started, (QList<QStringList>{{path, "/SP-", "/silent", "/noicons"}}));
        QCOMPARE(exits.count(), 1);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), pieces.join());
    } else {
        QVERIFY(m_started.isEmpty());
        QCOMPARE(exits.count(), 0);
    }
}

void TdownloadTest::stopAfterSomeData() {
    TestServer server(m_certificates.signedServer());
    server.header = "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n";
    server.pieces = {QByteArray(1234, 'z')};
    server.hold = true;
    ui::siteLinks().installerUrl = server.url("/lobbysetup.bin");

    Tdownload w;
    auto* get = w.findChild<QPushButton*>("getbutton");
    get->click();
    QVERIFY(QTest::qWaitFor([&] { return w.statusLine1() == "1234 bytes"; }, 5000));
    QCOMPARE(w.statusLine2(), QStringLiteral("Downloading: lobbysetup.bin"));

    w.findChild<QPushButton*>("abortbutton")->click();
    QCOMPARE(w.statusLine1(), QStringLiteral("Download has been aborted."));
    QCOMPARE(w.statusLine2(), QStringLiteral("Download Aborted"));
    QVERIFY(QTest::qWaitFor([&] { return w.statusLine1() == "Download Aborted"; }, 5000));
    QCOMPARE(w.statusLine2(), QStringLiteral("Download Aborted"));
    QVERIFY(get->isEnabled());
    QCOMPARE(w.downloadState(), 2);
    QTRY_VERIFY(server.peerGone); // nothing more can arrive
    QVERIFY(m_started.isEmpty());
    // The partial file stays, and the download can start again.
    QCOMPARE(QFileInfo(QDir(m_dir.path()).filePath("lobbysetup.bin")).size(), 1234);
    get->click();
    QCOMPARE(w.statusLine1(), QStringLiteral("Loading"));
    QCOMPARE(w.downloadState(), 1);
}

void TdownloadTest::stopBeforeAnyDownload() {
    Tdownload w;
    w.findChild<QPushButton*>("abortbutton")->click();
    QCOMPARE(w.statusLine1(), QStringLiteral("Download has been aborted."));
    QCOMPARE(w.statusLine2(), QStringLiteral("Download Aborted"));
    // An end reported for a download that never ran would have been queued by now.
    QVERIFY(testsupport::waitForQueuedEvents(&w));
    QCOMPARE(w.statusLine1(), QStringLiteral("Download has been aborted."));
}

void TdownloadTest::headerLinesAddDotsAndAnEndlessHeaderFails() {
    {
        TestServer server(m_certificates.signedServer());
        server.header = "HTTP/1.0 200 OK\r\nServer: test\r\n";
        server.hold = true;
        ui::siteLinks().installerUrl = server.url("/lobbysetup.bin");
        Tdownload w;
        w.findChild<QPushButton*>("getbutton")->click();
        QVERIFY(QTest::qWaitFor([&] { return w.statusLine1() == "Loading.."; }, 5000));
        w.findChild<QPushButton*>("abortbutton")->click();
    }
    // Short header lines without end: every one lengthens the status text, so the transfer
    // has to stop on its own rather than grow it for ever.
    TestServer server(m_certificates.signedServer());
    QByteArray flood = "HTTP/1.0 200 OK\r\n";
    while (flood.size() < 1024 * 1024)
        flood += "X: y\r\n";
    server.header = flood;
    server.hold = true;
    ui::siteLinks().installerUrl = server.url("/lobbysetup.bin");
    Tdownload w;
    auto* get = w.findChild<QPushButton*>("getbutton");
    get->click();
    QVERIFY(QTest::qWaitFor([&] { return get->isEnabled(); }, 5000));
    QCOMPARE(w.statusLine1(), QStringLiteral("Download Aborted"));
    QCOMPARE(w.downloadState(), 2);
    QVERIFY(m_started.isEmpty());
}

void TdownloadTest::playWithOthers() {
    QStringList messages;
    Tdownload w;
    w.setMessageFn([&](QWidget*, const QString& text) { messages << text; });
    QSignalSpy exits(&w, &Tdownload::exitRequested);

    ui::siteLinks().lobbyProgram = QDir(m_dir.path()).filePath("no-such-lobby");
    w.findChild<QPushButton*>("Button2")->click();
    QCOMPARE(messages, QStringList{"Please close the game and open the Quar77 Lobby using the icon "
                                   "on your desktop or using the your Window's start-up menu."});
    QCOMPARE(exits.count(), 0);

    const QString lobby = QDir(m_dir.path()).filePath("bramblies-lobby");
    QFile f(lobby);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    ui::siteLinks().lobbyProgram = lobby;
    w.findChild<QPushButton*>("Button2")->click();
    QCOMPARE(m_started, QList<QStringList>{{lobby}});
    QCOMPARE(exits.count(), 1);
}

void TdownloadTest::enterPlaysSolo() {
    Tdownload w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_Return);
    QVERIFY(!w.isVisible());

    // With another button focused, Enter presses that one instead.
    QStringList messages;
    w.setMessageFn([&](QWidget*, const QString& text) { messages << text; });
    ui::siteLinks().lobbyProgram = QDir(m_dir.path()).filePath("no-such-lobby");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* others = w.findChild<QPushButton*>("Button2");
    others->setFocus();
    QTest::keyClick(&w, Qt::Key_Enter);
    QCOMPARE(messages.size(), 1);
    QVERIFY(w.isVisible());
}

QTEST_MAIN(TdownloadTest)
#include "tdownload_test.moc"
