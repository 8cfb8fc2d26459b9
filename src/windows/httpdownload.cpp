// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/httpdownload.h"

#include <QIODevice>
#include <QSslSocket>

namespace ui {

HttpDownload::HttpDownload(QObject* parent) : QObject(parent) {
    m_idle.setSingleShot(true);
    m_idle.setInterval(60000);
    connect(&m_idle, &QTimer::timeout, this,
            [this] { finish(false, QStringLiteral("The server stopped answering")); });
}

HttpDownload::~HttpDownload() {
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

bool HttpDownload::start(const QUrl& url, QIODevice* sink) {
    const QString scheme = url.scheme().toLower();
    if (m_running || !sink || !url.isValid() || url.host().isEmpty() ||
        scheme != QLatin1String("https"))
        return false;

    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->deleteLater();
    }
    m_socket = new QSslSocket(this);
    m_sink = sink;
    m_url = url;
    m_header.clear();
    m_headerBytes = 0;
    m_running = true;
    m_inBody = false;
    m_status = 0;
    m_body = 0;
    m_length = -1;

    connect(m_socket, &QSslSocket::readyRead, this, &HttpDownload::onReadyRead);
    connect(m_socket, &QSslSocket::disconnected, this, &HttpDownload::onDisconnected);
    connect(m_socket, &QAbstractSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) {
                // The server ending an HTTP/1.0 answer by closing is the normal end.
                if (error == QAbstractSocket::RemoteHostClosedError) return;
                finish(false, m_socket->errorString());
            });

    if (!QSslSocket::supportsSsl()) {
        QMetaObject::invokeMethod(
            this, [this] { finish(false, QStringLiteral("TLS is not available")); },
            Qt::QueuedConnection);
        return true;
    }
    // Any certificate error ends the transfer: nothing is ever ignored.
    connect(m_socket, &QSslSocket::encrypted, this, &HttpDownload::onConnected);
    connect(m_socket, &QSslSocket::sslErrors, this,
            [this](const QList<QSslError>&) { finish(false, m_socket->errorString()); });
    m_socket->connectToHostEncrypted(url.host(), static_cast<quint16>(url.port(443)));
    m_idle.start();
    return true;
}

void HttpDownload::abort() {
    if (!m_running) return;
    m_running = false;
    m_idle.stop();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    // Reported from the event loop, after whatever the caller does right after aborting.
    QMetaObject::invokeMethod(
        this, [this] { emit finished(false, QStringLiteral("Aborted")); }, Qt::QueuedConnection);
}

void HttpDownload::onConnected() {
    QByteArray path = m_url.path(QUrl::FullyEncoded).toLatin1();
    if (path.isEmpty()) path = "/";
    if (m_url.hasQuery()) path += '?' + m_url.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = m_url.host(QUrl::FullyEncoded).toLatin1();
    if (m_url.port() != -1) host += ':' + QByteArray::number(m_url.port());
    QByteArray request = "GET " + path + " HTTP/1.0\r\n";
    request += "Host: " + host + "\r\n";
    request += QByteArray("User-Agent: ") + kUserAgent + "\r\n";
    request += QByteArray("Accept: ") + kAccept + "\r\n";
    request += "\r\n";
    m_socket->write(request);
    m_idle.start();
}

void HttpDownload::onReadyRead() {
    if (!m_running) return;
    m_idle.start();
    const QByteArray bytes = m_socket->readAll();
    if (m_inBody) return writeBody(bytes);
    m_header += bytes;
    readHeader();
}

void HttpDownload::readHeader() {
    // Lines end with CR LF; a bare LF is taken too. An empty line ends the header.
    while (m_running && !m_inBody) {
        const int lf = m_header.indexOf('\n');
        if (m_headerBytes + (lf < 0 ? m_header.size() : lf + 1) > kMaxHeaderBytes) {
            finish(false, QStringLiteral("The answer's header is too long"));
            return;
        }
        if (lf < 0) return;
        m_headerBytes += lf + 1;
        QByteArray line = m_header.left(lf);
        m_header.remove(0, lf + 1);
        if (line.endsWith('\r')) line.chop(1);

        if (line.isEmpty()) {
            if (m_status < 200 || m_status > 299) {
                finish(false, QStringLiteral("The server answered %1").arg(m_status));
                return;
            }
            if (m_length < 0) {
                finish(false, QStringLiteral("The answer does not say how long it is"));
                return;
            }
            m_inBody = true;
            emit docBegin();
            if (!m_running) return;
            const QByteArray rest = m_header;
            m_header.clear();
            if (!rest.isEmpty())
                writeBody(rest);
            else if (m_length == 0)
                finish(true, {});
            return;
        }

        if (m_status == 0) {
            // "HTTP/1.x NNN reason"
            const QList<QByteArray> parts = line.split(' ');
            bool ok = false;
            if (parts.size() >= 2 && parts[0].startsWith("HTTP/")) m_status = parts[1].toInt(&ok);
            if (!ok || m_status <= 0) {
                finish(false, QStringLiteral("The server's answer is not HTTP"));
                return;
            }
        } else {
            const int colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = colon < 0 ? QByteArray() : line.mid(colon + 1).trimmed();
            if (name == "content-length") {
                bool ok = false;
                const qint64 length = value.toLongLong(&ok);
                m_length = ok && length >= 0 ? length : -1;
            } else if (name == "transfer-encoding" && value.toLower() != "identity") {
                // An HTTP/1.0 request must not get a chunked answer; its framing would end up
                // in the installer.
                finish(false, QStringLiteral("Unexpected transfer encoding"));
                return;
            }
        }
        emit headerLine(line);
    }
}

void HttpDownload::writeBody(const QByteArray& bytes) {
    QByteArray piece = bytes;
    if (m_length >= 0 && m_body + piece.size() > m_length) piece.truncate(m_length - m_body);
    if (!piece.isEmpty()) {
        if (!m_sink || m_sink->write(piece) != piece.size()) {
            finish(false, QStringLiteral("Could not write the downloaded file"));
            return;
        }
        m_body += piece.size();
        emit docData(m_body);
        if (!m_running) return;
    }
    if (m_length >= 0 && m_body >= m_length) finish(true, {});
}

void HttpDownload::onDisconnected() {
    if (!m_running) return;
    // Pick up anything still buffered before judging the end.
    if (m_socket->bytesAvailable() > 0) onReadyRead();
    if (!m_running) return;
    if (!m_inBody)
        finish(false, QStringLiteral("The connection closed before the answer"));
    else if (m_body < m_length)
        finish(false, QStringLiteral("The download was cut short"));
    else
        finish(true, {});
}

void HttpDownload::finish(bool ok, const QString& error) {
    if (!m_running) return;
    m_running = false;
    m_idle.stop();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    emit finished(ok, error);
}

} // namespace ui
