// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz-max-len: 4096
// The lobby download's answer parser: a local HTTPS server (certificates made at start by the
// tests' own authority, which this process then trusts) answers the GET with the input and
// closes. Whatever it says, the download finishes exactly once, succeeds only for a 2xx
// answer, writes no body for any other, and counts exactly the body bytes it wrote.

#include "support/qt/testcertificates.h"
#include "windows/httpdownload.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Answers every request with the current input, then closes.
class AnswerServer : public QTcpServer {
public:
    explicit AnswerServer(const testsupport::TlsIdentity& identity) : m_identity(identity) {
        listen(QHostAddress::LocalHost, 0);
    }
    QByteArray answer;

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* s = new QSslSocket(this);
        s->setSocketDescriptor(descriptor);
        s->setLocalCertificate(m_identity.certificate);
        s->setPrivateKey(m_identity.key);
        QObject::connect(s, &QSslSocket::readyRead, s, [this, s] {
            m_request += s->readAll();
            if (!m_request.contains("\r\n\r\n")) return;
            m_request.clear();
            s->write(answer);
            s->disconnectFromHost();
        });
        QObject::connect(s, &QSslSocket::disconnected, s, &QObject::deleteLater);
        s->startServerEncryption();
    }

private:
    testsupport::TlsIdentity m_identity;
    QByteArray m_request;
};

AnswerServer& server() {
    static int argc = 1;
    static char name[] = "fuzz_httpresponse";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    static testsupport::TestCertificates* certificates = [] {
        auto* c = new testsupport::TestCertificates;
        if (!c->ok()) {
            std::fprintf(stderr, "fuzz_httpresponse: %s\n", qPrintable(c->error()));
            std::abort();
        }
        c->trustAuthority();
        return c;
    }();
    static AnswerServer* s = new AnswerServer(certificates->signedServer());
    (void)app;
    return *s;
}

bool success(int status) {
    return status >= 200 && status <= 299;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    AnswerServer& s = server();
    s.answer = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    int finishedCount = 0;
    bool ok = false;
    QEventLoop loop;
    {
        ui::HttpDownload download;
        download.setIdleTimeout(2000);
        QObject::connect(&download, &ui::HttpDownload::finished, [&](bool good, const QString&) {
            ++finishedCount;
            ok = good;
            loop.quit();
        });
        const QUrl url(QStringLiteral("https://127.0.0.1:%1/lobby.exe").arg(s.serverPort()));
        if (!download.start(url, &sink)) std::abort();
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        QCoreApplication::processEvents();
        if (finishedCount != 1) std::abort();
        const int status = download.statusCode();
        if (!success(status) && sink.size() > 0) std::abort();
        if (ok && !success(status)) std::abort();
        if (sink.size() != download.bodyBytes()) std::abort();
    }
    // Let the server's side of the connection close and go before the next input.
    QCoreApplication::processEvents();
    return 0;
}
