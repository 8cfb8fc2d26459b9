// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A home router reduced to what the UPnP client asks of it: the device description over HTTP
// on a loopback port, and the SOAP actions GetStatusInfo, GetExternalIPAddress,
// AddPortMapping and DeletePortMapping. It can also answer SSDP discovery on a multicast
// socket when the test's network allows it. What it was asked is kept as text lines.
//
// It answers on a thread of its own: the client under test may block its caller while it
// waits for an answer (removing a mapping on exit does).

#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QThread>
#include <QUdpSocket>

#include <deque>

namespace testsupport {

class ScriptedIgd : public QObject {
    Q_OBJECT
public:
    ScriptedIgd();
    ~ScriptedIgd() override;

    QString descriptionUrl() const;
    // Answers M-SEARCH on 239.255.255.250:1900 through the interface with this address.
    // Call before the client starts, like the settings below.
    bool answerDiscovery(const QHostAddress& interfaceAddress);

    QString externalAddress = QStringLiteral("203.0.113.7");
    // Error codes for the coming AddPortMapping requests, in order (0: granted). Once used
    // up, every request is granted.
    std::deque<int> addErrors;
    // "AddPortMapping PORT LEASE", "DeletePortMapping PORT", "GetExternalIPAddress", ...
    QStringList actions() const;

signals:
    void asked(const QString& action);

private:
    void serve(QTcpSocket* socket);
    QByteArray answer(const QByteArray& head, const QByteArray& body);

    bool listenForDiscovery(const QHostAddress& interfaceAddress);
    void record(const QString& line);

    QTcpServer* m_http;
    QUdpSocket* m_ssdp;
    QThread m_thread;
    mutable QMutex m_mutex;
    QStringList m_actions;
};

} // namespace testsupport
