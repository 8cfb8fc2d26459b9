// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/lobbypublisher.h"

#include <algorithm>

namespace ui {

LobbyPublisher::LobbyPublisher(lobby::LobbySession& session, lobby::Account account, Log log,
                               QObject* parent)
    : QObject(parent), m_session(session), m_account(std::move(account)), m_log(std::move(log)),
      m_throttle([this] { return m_clock.elapsed(); }) {
    m_clock.start();
    m_publishTimer.setSingleShot(true);
    connect(&m_publishTimer, &QTimer::timeout, this, &LobbyPublisher::publishWhenAllowed);
    m_signInTimer.setSingleShot(true);
    connect(&m_signInTimer, &QTimer::timeout, this, &LobbyPublisher::start);
    m_session.setListener(this);
}

LobbyPublisher::~LobbyPublisher() {
    m_session.setListener(nullptr);
}

void LobbyPublisher::setIntervals(std::int64_t publishMs, int firstRetryMs) {
    m_throttle = lobby::PublishThrottle([this] { return m_clock.elapsed(); }, publishMs);
    m_firstRetryMs = firstRetryMs;
}

void LobbyPublisher::start() {
    m_log("lobby: signing in as " + m_account.name + "@" + m_account.server);
    m_session.signIn(m_account);
}

void LobbyPublisher::setTable(const lobby::LobbyTable& table) {
    m_table = table;
    publishWhenAllowed();
}

void LobbyPublisher::signedIn(const std::string& ownNick) {
    m_log("lobby: in the room as " + ownNick);
    m_signedIn = true;
    m_retryMs = 0;
    m_published.reset();
    publishWhenAllowed();
}

void LobbyPublisher::failed(const std::string& message) {
    m_signedIn = false;
    m_publishTimer.stop();
    m_retryMs = m_retryMs == 0 ? m_firstRetryMs : std::min(m_retryMs * 2, kMaxRetryMs);
    m_log("lobby: " + message + " (signing in again in " + std::to_string(m_retryMs / 1000) +
          " s)");
    m_signInTimer.start(m_retryMs);
}

void LobbyPublisher::publishWhenAllowed() {
    if (!m_signedIn || !m_table || m_table == m_published) return;
    if (const std::int64_t wait = m_throttle.wait(); wait > 0) {
        if (!m_publishTimer.isActive()) m_publishTimer.start(static_cast<int>(wait));
        return;
    }
    m_session.publish(lobby::Activity::Hosting, m_table);
    m_throttle.published();
    m_published = m_table;
}

} // namespace ui
