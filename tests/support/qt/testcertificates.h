// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Certificates for tests that talk TLS to a server of their own: a certificate authority
// made afresh in a temporary folder by the openssl command line, a server certificate for
// 127.0.0.1 that it signs, and a self-signed one for 127.0.0.1 that nobody vouches for.
// trustAuthority() adds the test authority to this process's default TLS configuration, the
// one every new socket starts from, so code under test needs no hook of its own.

#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

struct TlsIdentity {
    QSslCertificate certificate;
    QSslKey key;
};

class TestCertificates {
public:
    // Makes the certificates; ok() says whether openssl did its part.
    TestCertificates();
    bool ok() const { return m_ok; }
    QString error() const { return m_error; }

    const TlsIdentity& signedServer() const { return m_signed; }
    const TlsIdentity& selfSigned() const { return m_selfSigned; }
    void trustAuthority() const;

private:
    bool openssl(const QStringList& arguments);
    TlsIdentity load(const QString& certificate, const QString& key) const;

    QTemporaryDir m_dir;
    QSslCertificate m_authority;
    TlsIdentity m_signed;
    TlsIdentity m_selfSigned;
    bool m_ok = false;
    QString m_error;
};

} // namespace testsupport
