// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A NAT-PMP gateway on a loopback address of the test's choosing, port 5351: answers the
// public-address and TCP-mapping requests as scripted and keeps what it was asked as text
// lines ("address", "map PORT LIFETIME"). It answers on a thread of its own; set the fields
// before the client starts.

#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <QUdpSocket>

namespace testsupport {

class ScriptedNatpmp : public QObject {
    Q_OBJECT
public:
    explicit ScriptedNatpmp(const QHostAddress& address);
    ~ScriptedNatpmp() override;
    bool isListening() const { return m_bound; }

    QString publicAddress = QStringLiteral("198.51.100.4");
    quint16 resultCode = 0;      // for every answer (0: success, 2: not authorised, ...)
    bool silent = false;         // receives but never answers
    quint8 version = 0;          // the answers' first byte: anything else is no NAT-PMP
    quint32 grantedLifetime = 0; // 0: grant what was asked
    QStringList requests() const;

signals:
    void asked(const QString& request);

private:
    void answer();

    QUdpSocket* m_socket;
    bool m_bound = false;
    QThread m_thread;
    mutable QMutex m_mutex;
    QStringList m_requests;
};

} // namespace testsupport
