// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/qt/agonesclient.h"

#include "host/logtext.h"
#include "host/qt/hostserver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <algorithm>
#include <cstdlib>

namespace ui {

namespace {

// The SDK answers with a few bytes of JSON; anything longer is not the sidecar we know, and
// an endless answer would otherwise be kept in memory as it comes.
constexpr qint64 kMaxAnswerBytes = 64 * 1024;

} // namespace

int AgonesOptions::sdkPortFromEnvironment() {
    bool ok = false;
    const int port = qEnvironmentVariableIntValue("AGONES_SDK_HTTP_PORT", &ok);
    return ok && port > 0 && port <= 65535 ? port : 9358;
}

AgonesClient::AgonesClient(HostServer& host, AgonesOptions options, Log log, QObject* parent)
    : QObject(parent), m_host(host), m_options(options), m_log(std::move(log)),
      m_base(QStringLiteral("http://localhost:%1").arg(options.sdkPort)) {
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &AgonesClient::sendNext);
    connect(&m_health, &QTimer::timeout, this, [this] {
        if (m_healthInFlight) return; // the last one has not been answered yet
        m_healthInFlight = post("POST", QStringLiteral("/health"), "{}");
        connect(m_healthInFlight, &QNetworkReply::finished, this,
                [this, r = m_healthInFlight] { finished(r, true); });
    });
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, [this] {
        if (m_shutdownAsked) return;
        m_shutdownAsked = true;
        m_log("agones: the table has stayed empty; asking to shut down");
        enqueue({"POST", QStringLiteral("/shutdown"), "{}", {}});
    });
    m_record.setSingleShot(true);
    connect(&m_record, &QTimer::timeout, this, [this] {
        enqueue({"GET", QStringLiteral("/gameserver"), {}, {}});
    });
    m_host.state().addWatcher(this);
}

AgonesClient::~AgonesClient() {
    m_host.state().removeWatcher(this);
    for (QNetworkReply* r : {m_inFlight, m_healthInFlight})
        if (r) {
            r->disconnect(this);
            r->abort();
            r->deleteLater();
        }
}

void AgonesClient::start() {
    enqueue({"POST", QStringLiteral("/ready"), "{}", {}});
    updateLabels();
    m_health.start(m_options.healthIntervalMs);
}

QNetworkReply* AgonesClient::post(const QByteArray& method, const QString& path,
                                  const QByteArray& body) {
    QUrl url = m_base;
    url.setPath(path);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    request.setTransferTimeout(m_options.requestTimeoutMs);
    // The sidecar answers where it was asked; a redirect (to another port, another host) is
    // a failed call, never followed.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = m_network.sendCustomRequest(request, method, body);
    reply->setProperty("bramblies_method", QString::fromLatin1(method));
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received <= kMaxAnswerBytes || reply->property("bramblies_too_long").toBool()) return;
        reply->setProperty("bramblies_too_long", true);
        reply->abort();
    });
    return reply;
}

void AgonesClient::enqueue(Call call) {
    if (!call.labelKey.isEmpty()) {
        for (auto it = m_calls.begin(); it != m_calls.end(); ++it) {
            // The front one may be on its way already; a later one is replaced.
            if (it->labelKey == call.labelKey && (it != m_calls.begin() || !m_inFlight)) {
                *it = std::move(call);
                return;
            }
        }
    }
    m_calls.push_back(std::move(call));
    if (!m_inFlight && !m_retry.isActive()) sendNext();
}

void AgonesClient::sendNext() {
    if (m_inFlight || m_calls.empty()) return;
    const Call& call = m_calls.front();
    m_inFlight = post(call.method, call.path, call.body);
    connect(m_inFlight, &QNetworkReply::finished, this,
            [this, r = m_inFlight] { finished(r, false); });
}

void AgonesClient::finished(QNetworkReply* reply, bool health) {
    reply->deleteLater();
    const QByteArray body = reply->readAll(); // at most kMaxAnswerBytes and a read's worth
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
    const QString why = reply->property("bramblies_too_long").toBool()
                            ? QStringLiteral("answer longer than %1 bytes").arg(kMaxAnswerBytes)
                        : reply->error() != QNetworkReply::NoError
                            ? reply->errorString()
                            : QStringLiteral("HTTP %1").arg(status);
    const QString what =
        reply->property("bramblies_method").toString() + ' ' + reply->url().path() + ": " + why;
    if (health) {
        m_healthInFlight = nullptr;
        if (!ok) failed(what);
        return;
    }
    m_inFlight = nullptr;
    if (!ok) {
        failed(what);
        m_retryMs =
            m_retryMs == 0 ? m_options.firstRetryMs : std::min(m_retryMs * 2, m_options.maxRetryMs);
        m_retry.start(m_retryMs);
        return;
    }
    if (m_failing) m_log("agones: the SDK server answers again");
    m_failing = false;
    m_retryMs = 0;
    const Call done = m_calls.front();
    m_calls.pop_front();
    if (done.path == QLatin1String("/ready")) {
        m_log("agones: ready");
        enqueue({"GET", QStringLiteral("/gameserver"), {}, {}});
    }
    if (done.path == QLatin1String("/gameserver")) gameServerRead(body);
    if (done.path == QLatin1String("/allocate")) m_log("agones: allocated");
    if (done.path == QLatin1String("/shutdown")) m_log("agones: shutdown requested");
    sendNext();
}

AgonesClient::PublicAddress AgonesClient::readGameServer(const QByteArray& json) {
    const QJsonObject status = QJsonDocument::fromJson(json).object().value("status").toObject();
    const QString state = status.value("state").toString();
    PublicAddress out;
    out.ready = state == QLatin1String("Ready") || state == QLatin1String("Reserved") ||
                state == QLatin1String("Allocated");
    out.address = status.value("address").toString();
    // A port arrives as a number, or as a string where 64-bit numbers are written as such.
    const QJsonValue port = status.value("ports").toArray().first().toObject().value("port");
    const int number = port.isString() ? port.toString().toInt() : port.toInt();
    out.port = number > 0 && number <= 65535 ? number : 0;
    if (out.address.size() > 255 || out.address.contains(QLatin1Char(' '))) out.address.clear();
    return out;
}

void AgonesClient::gameServerRead(const QByteArray& json) {
    const PublicAddress found = readGameServer(json);
    if (!found.ready) {
        // Not Ready yet: ask again in a while.
        m_recordRetryMs = m_recordRetryMs == 0
                              ? m_options.firstRetryMs
                              : std::min(m_recordRetryMs * 2, m_options.maxRetryMs);
        m_record.start(m_recordRetryMs);
        return;
    }
    if (found.address.isEmpty() || found.port == 0) {
        m_log("agones: the GameServer record names no public address and port");
        emit publicAddress({}, 0);
        return;
    }
    const QByteArray text = found.address.toUtf8();
    m_log("agones: players connect to " +
          core::logSafe(std::string_view(text.constData(), static_cast<std::size_t>(text.size()))) +
          " port " + std::to_string(found.port));
    emit publicAddress(found.address, found.port);
}

void AgonesClient::failed(const QString& what) {
    if (m_failing) return;
    m_failing = true;
    const QByteArray text = what.toUtf8();
    m_log("agones: the SDK server does not answer (" +
          core::logSafe(std::string_view(text.constData(), static_cast<std::size_t>(text.size()))) +
          "); retrying");
}

void AgonesClient::loggedIn(int, const std::string&) {
    if (!m_allocated) {
        m_allocated = true;
        enqueue({"POST", QStringLiteral("/allocate"), "{}", {}});
    }
    QMetaObject::invokeMethod(this, &AgonesClient::updateLabels, Qt::QueuedConnection);
}

void AgonesClient::connectionClosed(int, const std::string&, bool, core::CloseReason) {
    // The slot is freed right after the watchers are told.
    QMetaObject::invokeMethod(this, &AgonesClient::updateLabels, Qt::QueuedConnection);
}

void AgonesClient::updateLabels() {
    int seated = 0, watching = 0;
    for (int slot = 1; slot <= core::kMaxSlot; ++slot)
        if (m_host.state().slot(slot).connected && m_host.gameHost().loggedIn(slot))
            ++(core::HostState::validSeat(slot) ? seated : watching);
    auto label = [this](const char* key, int value) {
        const QByteArray body = QByteArrayLiteral("{\"key\":\"") + key + "\",\"value\":\"" +
                                QByteArray::number(value) + "\"}";
        enqueue({"PUT", QStringLiteral("/metadata/label"), body, QString::fromLatin1(key)});
    };
    if (seated != m_seated) label("seated", seated);
    if (watching != m_watching) label("watching", watching);
    m_seated = seated;
    m_watching = watching;
    checkIdle();
}

void AgonesClient::checkIdle() {
    if (m_options.idleShutdownMs <= 0 || m_shutdownAsked) return;
    bool empty = true;
    for (int slot = 1; slot <= core::kMaxSlot; ++slot)
        empty = empty && !m_host.state().slot(slot).connected;
    // Idle counts from the moment the last one leaves, in a game or not: players who walk out
    // of an unfinished game would otherwise hold the allocated table for ever. A table nobody
    // has used yet is the Fleet's spare and waits to be allocated.
    if (empty && m_allocated) {
        if (!m_idle.isActive()) m_idle.start(m_options.idleShutdownMs);
    } else {
        m_idle.stop();
    }
}

} // namespace ui
