// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real Prosody for tests, started in the foreground on 127.0.0.1 at a free port from a
// configuration written into a temporary folder, with its own data, pid file and certificates:
// a test authority made afresh by openssl and a server certificate for "localhost" that it
// signs. Client-to-server only (no server-to-server, no HTTP), passwords stored hashed
// (SCRAM), a lobby room service at conference.localhost that keeps its rooms, where the
// account "moderator" (once registered) is a moderator.
//
// The server dies with the fixture, and with the test process however it ends (the kernel
// kills it when its parent goes), so a failing test leaves nothing running.

#include "lobby/lobbysession.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

class ProsodyFixture {
public:
    struct Options {
        bool tls = true; // false: a server that offers no encryption at all
        // > 0: accounts created from this machine are limited to this many a minute
        // (else Prosody lets loopback register freely).
        int registrationsPerMinute = 0;
    };

    explicit ProsodyFixture(Options options);
    ProsodyFixture() : ProsodyFixture(Options{}) {}
    ~ProsodyFixture();
    ProsodyFixture(const ProsodyFixture&) = delete;
    ProsodyFixture& operator=(const ProsodyFixture&) = delete;

    // Whether the server runs; error() says why not.
    bool ok() const { return m_ok; }
    QString error() const { return m_error; }

    QString domain() const { return QStringLiteral("localhost"); }
    int port() const { return m_port; }
    QString caFile() const { return m_dir.filePath(QStringLiteral("ca.pem")); }
    // An authority that signed nothing this server shows.
    QString strangerCaFile() const { return m_dir.filePath(QStringLiteral("stranger.pem")); }
    QString configFile() const { return m_dir.filePath(QStringLiteral("prosody.cfg.lua")); }
    // Everything the server wrote to its console so far.
    QString log();

    // An account for `name` on this server, trusting the test authority.
    lobby::Account account(const QString& name, const QString& password) const;
    // Creates the account directly in the server's store (prosodyctl), bypassing any limit.
    bool registerAccount(const QString& name, const QString& password);

    void stop();
    // Stops the server dead (SIGSTOP): connections stay open, nothing is answered.
    bool freeze();

private:
    bool makeCertificates();
    bool writeConfig(const Options& options);
    bool start();
    bool run(const QString& program, const QStringList& arguments, QString* output = nullptr);

    QTemporaryDir m_dir;
    QProcess m_server;
    QString m_output;
    int m_port = 0;
    bool m_ok = false;
    QString m_error;
};

} // namespace testsupport
