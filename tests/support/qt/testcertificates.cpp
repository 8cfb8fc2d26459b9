// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/testcertificates.h"

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>

namespace testsupport {

namespace {
const QStringList kEcKey = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
} // namespace

TestCertificates::TestCertificates() {
    const QString d = m_dir.path() + '/';
    QFile ext(d + "server.ext");
    if (!ext.open(QIODevice::WriteOnly)) return;
    ext.write("subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\n"
              "extendedKeyUsage=serverAuth\n");
    ext.close();
    m_ok = openssl(QStringList{"req", "-x509"} + kEcKey +
                   QStringList{"-keyout", d + "ca.key", "-out", d + "ca.pem", "-days", "2", "-subj",
                               "/CN=Bramblies Test Authority", "-addext",
                               "basicConstraints=critical,CA:TRUE", "-addext",
                               "keyUsage=critical,keyCertSign,cRLSign"}) &&
           openssl(QStringList{"req"} + kEcKey +
                   QStringList{"-keyout", d + "server.key", "-out", d + "server.csr", "-subj",
                               "/CN=127.0.0.1"}) &&
           openssl({"x509", "-req", "-in", d + "server.csr", "-CA", d + "ca.pem", "-CAkey",
                    d + "ca.key", "-CAcreateserial", "-out", d + "server.pem", "-days", "2",
                    "-extfile", d + "server.ext"}) &&
           openssl(QStringList{"req", "-x509"} + kEcKey +
                   QStringList{"-keyout", d + "self.key", "-out", d + "self.pem", "-days", "2",
                               "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"});
    if (!m_ok) return;
    const auto authority = QSslCertificate::fromPath(d + "ca.pem");
    m_authority = authority.value(0);
    m_signed = load(d + "server.pem", d + "server.key");
    m_selfSigned = load(d + "self.pem", d + "self.key");
    m_ok = !m_authority.isNull() && !m_signed.key.isNull() && !m_selfSigned.key.isNull();
    if (!m_ok) m_error = QStringLiteral("the certificates made by openssl do not load");
}

bool TestCertificates::openssl(const QStringList& arguments) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("openssl"), arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        m_error =
            QStringLiteral("openssl %1: %2")
                .arg(arguments.value(0), QString::fromLocal8Bit(p.readAll()) + p.errorString());
        return false;
    }
    return true;
}

TlsIdentity TestCertificates::load(const QString& certificate, const QString& key) const {
    TlsIdentity id;
    id.certificate = QSslCertificate::fromPath(certificate).value(0);
    QFile k(key);
    if (k.open(QIODevice::ReadOnly)) id.key = QSslKey(&k, QSsl::Ec);
    return id;
}

void TestCertificates::trustAuthority() const {
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.addCaCertificate(m_authority);
    QSslConfiguration::setDefaultConfiguration(conf);
}

} // namespace testsupport
