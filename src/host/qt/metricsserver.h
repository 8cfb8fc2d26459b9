// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Serves the host's metrics at /metrics over HTTP/1.1 from the host's own event loop. Each
// request gets one whole exposition, produced in one call (a consistent snapshot), written to
// the socket's buffer at once and followed by "Connection: close": a reader however slow
// never holds up the game, it only keeps its own connection open for a while. A request must
// arrive whole within 10 s and in at most 8 KiB. At most 16 readers are held at a time; a
// newcomer past those makes room by closing the reader held longest that has had its answer,
// else the one held longest, so readers that never ask or never read cannot lock a scraper
// out. GET and HEAD of /metrics only (404, 405 otherwise).

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

#include <QPointer>

#include <deque>
#include <functional>
#include <string>

class QTcpSocket;

namespace ui {

class MetricsServer : public QObject {
    Q_OBJECT
public:
    static constexpr int kRequestDeadlineMs = 10000;
    static constexpr int kAnswerDeadlineMs = 60000;
    static constexpr qint64 kMaxRequestBytes = 8 * 1024;
    static constexpr int kMaxReaders = 16;

    explicit MetricsServer(std::function<std::string()> exposition, QObject* parent = nullptr);

    bool listen(const QHostAddress& address, quint16 port);
    quint16 serverPort() const { return m_server.serverPort(); }
    QString errorString() const { return m_server.errorString(); }

private:
    void accept();
    void makeRoom();
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QByteArray& status, const QByteArray& body,
                bool withBody = true);

    std::function<std::string()> m_exposition;
    QTcpServer m_server;
    std::deque<QPointer<QTcpSocket>> m_readers; // in the order they came
};

} // namespace ui
