// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dedicated host as an Agones game server (--agones): it talks to the Agones SDK's REST
// gateway, the sidecar on localhost:$AGONES_SDK_HTTP_PORT (9358 by default).
//
//   POST /ready               once the host listens
//   POST /health              every few seconds
//   POST /allocate            when the first player logs in: a table in use is never scaled away
//   PUT  /metadata/label      "seated" and "watching": the players and spectators logged in
//   POST /shutdown            once the table, allocated, has stayed empty for the idle time
//                             (--idle-shutdown SECONDS; never without it), game or no game
//   GET  /gameserver          after ready, until the record says Ready (or later): the public
//                             address and port players outside connect to
//
// Everything is asynchronous. Calls go out one at a time in order; one that fails (no sidecar
// yet, an error answer, a redirect, which is never followed, an answer over 64 KiB, no answer
// in time) is retried after a pause that grows to a few seconds, and the game is never held up. A
// newer label replaces one still waiting. Failures are logged once when they begin and once when
// the sidecar answers again.

#include "host/hostevents.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <deque>
#include <functional>
#include <string>

class QNetworkReply;

namespace ui {

class HostServer;

struct AgonesOptions {
    int sdkPort = 9358;
    int healthIntervalMs = 5000;
    int idleShutdownMs = 0; // 0: never shut down when idle
    int firstRetryMs = 250;
    int maxRetryMs = 5000;
    int requestTimeoutMs = 5000;

    // The port from AGONES_SDK_HTTP_PORT, else 9358.
    static int sdkPortFromEnvironment();
};

class AgonesClient : public QObject, public core::HostEvents {
    Q_OBJECT
public:
    using Log = std::function<void(const std::string& line)>;

    AgonesClient(HostServer& host, AgonesOptions options, Log log, QObject* parent = nullptr);
    ~AgonesClient() override;

    // Call once the host listens: ready, then health from the timer.
    void start();

    void loggedIn(int slot, const std::string& name) override;
    void connectionClosed(int slot, const std::string& name, bool loggedIn,
                          core::CloseReason reason) override;

    // What the GameServer record says of where players connect; port 0 when it does not say.
    struct PublicAddress {
        bool ready = false; // the record is Ready, Reserved or Allocated
        QString address;
        int port = 0;
    };
    static PublicAddress readGameServer(const QByteArray& json);

signals:
    // Once, from the first Ready record: its address and port (empty and 0 when it names none,
    // and then players outside cannot be told where to connect).
    void publicAddress(const QString& address, int port);

private:
    struct Call {
        QByteArray method;
        QString path;
        QByteArray body;
        QString labelKey; // for label calls: a newer value replaces this one while it waits
    };
    void enqueue(Call call);
    void sendNext();
    void finished(QNetworkReply* reply, bool health);
    void failed(const QString& what);
    void updateLabels();
    void checkIdle();
    void gameServerRead(const QByteArray& json);
    QNetworkReply* post(const QByteArray& method, const QString& path, const QByteArray& body);

    HostServer& m_host;
    AgonesOptions m_options;
    Log m_log;
    QUrl m_base;
    QNetworkAccessManager m_network;
    std::deque<Call> m_calls;
    QNetworkReply* m_inFlight = nullptr;
    QNetworkReply* m_healthInFlight = nullptr;
    QTimer m_retry, m_health, m_idle, m_record;
    int m_retryMs = 0;
    int m_recordRetryMs = 0;
    bool m_failing = false;
    bool m_allocated = false;
    bool m_shutdownAsked = false;
    int m_seated = -1, m_watching = -1;
};

} // namespace ui
