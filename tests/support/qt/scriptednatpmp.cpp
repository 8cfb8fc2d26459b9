// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/scriptednatpmp.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QtEndian>

namespace testsupport {

namespace {

void put16(QByteArray& out, quint16 v) {
    out.append(static_cast<char>(v >> 8)).append(static_cast<char>(v & 0xFF));
}
void put32(QByteArray& out, quint32 v) {
    put16(out, static_cast<quint16>(v >> 16));
    put16(out, static_cast<quint16>(v & 0xFFFF));
}

} // namespace

ScriptedNatpmp::ScriptedNatpmp(const QHostAddress& address) : m_socket(new QUdpSocket(this)) {
    m_bound = m_socket->bind(address, 5351);
    connect(m_socket, &QUdpSocket::readyRead, this, &ScriptedNatpmp::answer);
    moveToThread(&m_thread);
    m_thread.start();
}

ScriptedNatpmp::~ScriptedNatpmp() {
    QThread* home = QCoreApplication::instance()->thread();
    QMetaObject::invokeMethod(
        this,
        [this, home] {
            m_socket->close();
            moveToThread(home);
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QStringList ScriptedNatpmp::requests() const {
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

void ScriptedNatpmp::answer() {
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket->receiveDatagram();
        const QByteArray in = d.data();
        if (in.size() < 2 || in[0] != 0) continue;
        const auto* b = reinterpret_cast<const uchar*>(in.constData());
        const int opcode = b[1];
        QByteArray out;
        out.append(static_cast<char>(version)).append(static_cast<char>(128 + opcode));
        put16(out, resultCode);
        put32(out, 1000); // seconds since the gateway started
        QString line;
        if (opcode == 0) {
            line = QStringLiteral("address");
            put32(out, QHostAddress(publicAddress).toIPv4Address());
        } else if ((opcode == 1 || opcode == 2) && in.size() >= 12) {
            const quint16 port = qFromBigEndian<quint16>(b + 4);
            const quint32 lifetime = qFromBigEndian<quint32>(b + 8);
            line = QStringLiteral("map %1 %2").arg(port).arg(lifetime);
            put16(out, port);
            put16(out, port);
            put32(out, lifetime == 0 || grantedLifetime == 0 ? lifetime : grantedLifetime);
        } else {
            continue;
        }
        {
            QMutexLocker lock(&m_mutex);
            m_requests << line;
        }
        emit asked(line);
        if (!silent) m_socket->writeDatagram(out, d.senderAddress(), d.senderPort());
    }
}

} // namespace testsupport
