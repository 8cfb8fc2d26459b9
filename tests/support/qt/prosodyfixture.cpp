// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/prosodyfixture.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>

#include <csignal>
#include <sys/prctl.h>

namespace testsupport {

namespace {

const QStringList kEcKey = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};

int freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    return probe.serverPort();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The server's settings; %1 is the folder, %2 the port, %3 the TLS lines, %4 the registration
// limits.
constexpr const char* kConfig = R"(-- written by the test fixture
pidfile = "%1/prosody.pid"
data_path = "%1/data"
certificates = "%1"
-- Tests in CI run as root; this server only ever touches its own folder.
run_as_root = true
daemonize = false
log = { { levels = { min = "info" }, to = "console" } }
modules_enabled = { "tls", "saslauth", "disco", "ping", "register", "posix" }
modules_disabled = { "s2s", "offline" }
interfaces = { "127.0.0.1" }
c2s_ports = { %2 }
c2s_interfaces = { "127.0.0.1" }
s2s_ports = { }
authentication = "internal_hashed"
allow_registration = true
storage = "internal"
network_settings = { read_timeout = 20 }
%3
%4
VirtualHost "localhost"
Component "conference.localhost" "muc"
  admins = { "moderator@localhost" }
  muc_room_default_persistent = true
  restrict_room_creation = false
  muc_room_locking = false
)";

} // namespace

ProsodyFixture::ProsodyFixture(Options options) {
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    m_ok = makeCertificates() && writeConfig(options) && start();
}

ProsodyFixture::~ProsodyFixture() {
    stop();
}

void ProsodyFixture::stop() {
    if (m_server.state() == QProcess::NotRunning) return;
    m_server.kill();
    m_server.waitForFinished(5000);
}

bool ProsodyFixture::freeze() {
    return m_server.state() == QProcess::Running &&
           ::kill(static_cast<pid_t>(m_server.processId()), SIGSTOP) == 0;
}

bool ProsodyFixture::run(const QString& program, const QStringList& arguments, QString* output) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    const bool done =
        p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    const QString text = QString::fromLocal8Bit(p.readAll());
    if (output) *output = text;
    if (!done) m_error = program + ' ' + arguments.join(' ') + ": " + text;
    return done;
}

bool ProsodyFixture::makeCertificates() {
    const QString d = m_dir.path() + '/';
    const QStringList authority = {"-days",   "2",
                                   "-addext", "basicConstraints=critical,CA:TRUE",
                                   "-addext", "keyUsage=critical,keyCertSign,cRLSign"};
    return writeFile(d + "server.ext", "subjectAltName=DNS:localhost\nbasicConstraints=CA:FALSE\n"
                                       "extendedKeyUsage=serverAuth\n") &&
           run("openssl", QStringList{"req", "-x509"} + kEcKey +
                              QStringList{"-keyout", d + "ca.key", "-out", d + "ca.pem", "-subj",
                                          "/CN=Lobby Test Authority"} +
                              authority) &&
           run("openssl", QStringList{"req", "-x509"} + kEcKey +
                              QStringList{"-keyout", d + "stranger.key", "-out", d + "stranger.pem",
                                          "-subj", "/CN=Stranger Authority"} +
                              authority) &&
           run("openssl", QStringList{"req"} + kEcKey +
                              QStringList{"-keyout", d + "localhost.key", "-out",
                                          d + "localhost.csr", "-subj", "/CN=localhost"}) &&
           run("openssl", {"x509", "-req", "-in", d + "localhost.csr", "-CA", d + "ca.pem",
                           "-CAkey", d + "ca.key", "-CAcreateserial", "-out", d + "localhost.crt",
                           "-days", "2", "-extfile", d + "server.ext"});
}

bool ProsodyFixture::writeConfig(const Options& options) {
    m_port = freePort();
    const QString d = m_dir.path();
    const QString tls =
        options.tls ? QStringLiteral("c2s_require_encryption = true\nssl = { certificate = "
                                     "\"%1/localhost.crt\", key = \"%1/localhost.key\" }")
                          .arg(d)
                    : QStringLiteral("c2s_require_encryption = false\n"
                                     "modules_disabled = { \"s2s\", \"offline\", \"tls\" }");
    const QString limits =
        options.registrationsPerMinute > 0
            ? QStringLiteral("registration_allowlist = { }\nregistration_throttle_max = %1\n"
                             "registration_throttle_period = 60")
                  .arg(options.registrationsPerMinute)
            : QString();
    const QString config = QString::fromLatin1(kConfig).arg(d).arg(m_port).arg(tls, limits);
    return m_port != 0 && QDir(d).mkpath(QStringLiteral("data")) &&
           writeFile(configFile(), config.toUtf8());
}

bool ProsodyFixture::start() {
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    // Whatever way the test process ends, the server goes with it.
    m_server.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_server.start(QStringLiteral("prosody"), {"--config", configFile(), "-F"});
    const QString ready = QStringLiteral("Activated service 'c2s' on [127.0.0.1]:%1").arg(m_port);
    QDeadlineTimer deadline(20000);
    while (!log().contains(ready)) {
        if (m_server.state() == QProcess::NotRunning || deadline.hasExpired()) {
            m_error = QStringLiteral("prosody did not start: ") + log();
            stop();
            return false;
        }
        m_server.waitForReadyRead(200);
    }
    return true;
}

QString ProsodyFixture::log() {
    m_output += QString::fromLocal8Bit(m_server.readAll());
    return m_output;
}

lobby::Account ProsodyFixture::account(const QString& name, const QString& password) const {
    lobby::Account account;
    account.server = domain().toStdString();
    account.name = name.toStdString();
    account.password = password.toStdString();
    account.connectHost = "127.0.0.1";
    account.connectPort = m_port;
    account.caFile = caFile().toStdString();
    return account;
}

bool ProsodyFixture::registerAccount(const QString& name, const QString& password) {
    return run(QStringLiteral("prosodyctl"),
               {"--config", configFile(), "register", name, domain(), password});
}

} // namespace testsupport
