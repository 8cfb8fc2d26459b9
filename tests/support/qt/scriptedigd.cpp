// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/scriptedigd.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <QTcpSocket>

namespace testsupport {

namespace {

const char* const kService = "urn:schemas-upnp-org:service:WANIPConnection:1";

QByteArray description(quint16 port) {
    return QStringLiteral(
               "<?xml version=\"1.0\"?>\r\n"
               "<root xmlns=\"urn:schemas-upnp-org:device-1-0\">"
               "<specVersion><major>1</major><minor>0</minor></specVersion>"
               "<URLBase>http://127.0.0.1:%1</URLBase>"
               "<device><deviceType>urn:schemas-upnp-org:device:InternetGatewayDevice:1"
               "</deviceType><friendlyName>Test router</friendlyName>"
               "<deviceList><device>"
               "<deviceType>urn:schemas-upnp-org:device:WANDevice:1</deviceType>"
               "<serviceList><service><serviceType>urn:schemas-upnp-org:service:"
               "WANCommonInterfaceConfig:1</serviceType>"
               "<serviceId>urn:upnp-org:serviceId:WANCommonIFC1</serviceId>"
               "<controlURL>/ctl/CmnIfCfg</controlURL><eventSubURL>/evt/CmnIfCfg</eventSubURL>"
               "<SCPDURL>/WANCfg.xml</SCPDURL></service></serviceList>"
               "<deviceList><device>"
               "<deviceType>urn:schemas-upnp-org:device:WANConnectionDevice:1</deviceType>"
               "<serviceList><service><serviceType>%2</serviceType>"
               "<serviceId>urn:upnp-org:serviceId:WANIPConn1</serviceId>"
               "<controlURL>/ctl/IPConn</controlURL><eventSubURL>/evt/IPConn</eventSubURL>"
               "<SCPDURL>/WANIPCn.xml</SCPDURL></service></serviceList>"
               "</device></deviceList></device></deviceList></device></root>")
        .arg(port)
        .arg(QLatin1String(kService))
        .toUtf8();
}

QByteArray soapBody(const QString& inner) {
    return QStringLiteral("<?xml version=\"1.0\"?>\r\n"
                          "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                          "s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">"
                          "<s:Body>%1</s:Body></s:Envelope>")
        .arg(inner)
        .toUtf8();
}

QByteArray response(const QByteArray& status, const QByteArray& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/xml; charset=\"utf-8\"\r\n" +
           "Connection: close\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
           body;
}

QString element(const QByteArray& body, const char* name) {
    QRegularExpression re(QStringLiteral("<%1>([^<]*)</%1>").arg(QLatin1String(name)));
    return re.match(QString::fromUtf8(body)).captured(1);
}

} // namespace

ScriptedIgd::ScriptedIgd() : m_http(new QTcpServer(this)), m_ssdp(new QUdpSocket(this)) {
    m_http->listen(QHostAddress::LocalHost, 0);
    connect(m_http, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = m_http->nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s] { serve(s); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    moveToThread(&m_thread);
    m_thread.start();
}

ScriptedIgd::~ScriptedIgd() {
    QThread* home = QCoreApplication::instance()->thread();
    QMetaObject::invokeMethod(
        this,
        [this, home] {
            m_http->close();
            m_ssdp->close();
            moveToThread(home);
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QStringList ScriptedIgd::actions() const {
    QMutexLocker lock(&m_mutex);
    return m_actions;
}

void ScriptedIgd::record(const QString& line) {
    {
        QMutexLocker lock(&m_mutex);
        m_actions << line;
    }
    emit asked(line);
}

QString ScriptedIgd::descriptionUrl() const {
    return QStringLiteral("http://127.0.0.1:%1/rootDesc.xml").arg(m_http->serverPort());
}

bool ScriptedIgd::answerDiscovery(const QHostAddress& interfaceAddress) {
    bool ok = false;
    QMetaObject::invokeMethod(
        this, [&] { ok = listenForDiscovery(interfaceAddress); }, Qt::BlockingQueuedConnection);
    return ok;
}

bool ScriptedIgd::listenForDiscovery(const QHostAddress& interfaceAddress) {
    if (!m_ssdp->bind(QHostAddress::AnyIPv4, 1900, QUdpSocket::ShareAddress)) return false;
    QNetworkInterface via;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces())
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip() == interfaceAddress) via = i;
    if (!m_ssdp->joinMulticastGroup(QHostAddress(QStringLiteral("239.255.255.250")), via))
        return false;
    connect(m_ssdp, &QUdpSocket::readyRead, this, [this] {
        while (m_ssdp->hasPendingDatagrams()) {
            QNetworkDatagram d = m_ssdp->receiveDatagram();
            const QByteArray data = d.data();
            if (!data.startsWith("M-SEARCH")) continue;
            QRegularExpression st(QStringLiteral("(?im)^ST:\\s*(\\S+)"));
            const QString type = st.match(QString::fromUtf8(data)).captured(1);
            record(QStringLiteral("M-SEARCH ") + type);
            const QByteArray reply =
                "HTTP/1.1 200 OK\r\nCACHE-CONTROL: max-age=120\r\nST: " + type.toUtf8() +
                "\r\nUSN: uuid:test::" + type.toUtf8() +
                "\r\nEXT:\r\nSERVER: Test/1.0 UPnP/1.1 Test/1.0\r\n" +
                "LOCATION: " + descriptionUrl().toUtf8() + "\r\n\r\n";
            m_ssdp->writeDatagram(reply, d.senderAddress(), static_cast<quint16>(d.senderPort()));
        }
    });
    return true;
}

void ScriptedIgd::serve(QTcpSocket* s) {
    QByteArray buffer = s->property("buffer").toByteArray() + s->readAll();
    s->setProperty("buffer", buffer);
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0) return;
    const QByteArray head = buffer.left(end);
    QRegularExpression lengthRe(QStringLiteral("(?im)^Content-Length:\\s*(\\d+)"));
    const int length = lengthRe.match(QString::fromLatin1(head)).captured(1).toInt();
    if (buffer.size() < end + 4 + length) return;
    s->write(answer(head, buffer.mid(end + 4, length)));
    s->disconnectFromHost();
}

QByteArray ScriptedIgd::answer(const QByteArray& head, const QByteArray& body) {
    if (head.startsWith("GET")) {
        record(QStringLiteral("GET description"));
        return response("200 OK", description(m_http->serverPort()));
    }
    QRegularExpression actionRe(QStringLiteral("(?im)^SOAPAction:\\s*\"?[^#]*#(\\w+)"));
    const QString action = actionRe.match(QString::fromLatin1(head)).captured(1);
    QString line = action;
    QString inner;
    int error = 0;
    if (action == QLatin1String("GetStatusInfo")) {
        inner = QStringLiteral("<NewConnectionStatus>Connected</NewConnectionStatus>"
                               "<NewLastConnectionError>ERROR_NONE</NewLastConnectionError>"
                               "<NewUptime>100</NewUptime>");
    } else if (action == QLatin1String("GetExternalIPAddress")) {
        inner =
            QStringLiteral("<NewExternalIPAddress>%1</NewExternalIPAddress>").arg(externalAddress);
    } else if (action == QLatin1String("AddPortMapping")) {
        line += QLatin1Char(' ') + element(body, "NewExternalPort") + QLatin1Char(' ') +
                element(body, "NewLeaseDuration");
        if (!addErrors.empty()) {
            error = addErrors.front();
            addErrors.pop_front();
        }
    } else if (action == QLatin1String("DeletePortMapping")) {
        line += QLatin1Char(' ') + element(body, "NewExternalPort");
    } else {
        error = 401;
    }
    record(line);
    if (error != 0) {
        return response(
            "500 Internal Server Error",
            soapBody(QStringLiteral("<s:Fault><faultcode>s:Client</faultcode><faultstring>"
                                    "UPnPError</faultstring><detail><UPnPError xmlns=\"urn:"
                                    "schemas-upnp-org:control-1-0\"><errorCode>%1</errorCode>"
                                    "<errorDescription>Refused</errorDescription></UPnPError>"
                                    "</detail></s:Fault>")
                         .arg(error)));
    }
    return response("200 OK", soapBody(QStringLiteral("<u:%1Response xmlns:u=\"%2\">%3</u:%1"
                                                      "Response>")
                                           .arg(action, QLatin1String(kService), inner)));
}

} // namespace testsupport
