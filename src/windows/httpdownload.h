// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small HTTP/1.0 client for the lobby installer: one GET, the body streamed into a device
// piece by piece, progress reported as it goes, and an abort at any time.
//
// Request: "GET <path> HTTP/1.0" with the headers Host, User-Agent "Mozilla/3.0 (compatible)"
// and Accept "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*". What it fetches is
// run afterwards, so only "https" addresses are taken, over TLS with the server's certificate
// checked against the system's certificate authorities (Qt's default configuration).
//
// States: idle -> connecting -> reading the header -> reading the body -> idle. finished is
// emitted exactly once per start: ok only for a 2xx answer with a Content-Length whose body
// arrived whole. Without a Content-Length a closed connection cannot be told from a cut one,
// so such an answer fails as soon as its header is in, as does a non-2xx answer; neither
// writes anything to the device. A connection that stays silent for the idle timeout fails.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QIODevice;
class QSslSocket;

namespace ui {

class HttpDownload : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kUserAgent = "Mozilla/3.0 (compatible)";
    static constexpr const char* kAccept =
        "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    // A header bigger than this, all its lines together, is not one we want: each line also
    // lengthens the progress text, so an endless header must end the transfer.
    static constexpr int kMaxHeaderBytes = 64 * 1024;

    explicit HttpDownload(QObject* parent = nullptr);
    ~HttpDownload() override;

    // Starts fetching url into sink (which must stay open until finished). False, and nothing
    // started, for an address that is not https or while a transfer runs.
    bool start(const QUrl& url, QIODevice* sink);
    // Stops the transfer; finished(false) follows from the event loop. Safe when idle.
    void abort();

    bool isRunning() const { return m_running; }
    int statusCode() const { return m_status; }
    qint64 bodyBytes() const { return m_body; }
    void setIdleTimeout(int ms) { m_idle.setInterval(ms); }

signals:
    // One line of the response header (the status line included), without its line end.
    void headerLine(const QByteArray& line);
    // The header is complete and the answer is 2xx: the body follows.
    void docBegin();
    // A piece of the body was written; total body bytes so far.
    void docData(qint64 received);
    void finished(bool ok, const QString& error);

private:
    void onConnected();
    void onReadyRead();
    void onDisconnected();
    void readHeader();
    void writeBody(const QByteArray& bytes);
    void finish(bool ok, const QString& error);

    QSslSocket* m_socket = nullptr;
    QPointer<QIODevice> m_sink;
    QUrl m_url;
    QByteArray m_header;
    qint64 m_headerBytes = 0; // header bytes taken so far, line ends included
    QTimer m_idle;
    bool m_running = false;
    bool m_inBody = false;
    int m_status = 0;
    qint64 m_body = 0;
    qint64 m_length = -1;
};

} // namespace ui
