// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/lobbypublisher.h"

#include <algorithm>

namespace ui {

LobbyPublisher::LobbyPublisher(lobby::LobbySession& session, lobby::Account account, Log log,
                               QObject* parent)
    : QObject(parent), m_session(session), m_account(std::move(account)), m_log(std::move(log)) {
    m_signInTimer.setSingleShot(true);
    connect(&m_signInTimer, &QTimer::timeout, this, &LobbyPublisher::start);
    m_session.setListener(this);
}

LobbyPublisher::~LobbyPublisher() {
    m_session.setListener(nullptr);
}

void LobbyPublisher::start() {
    m_log("lobby: signing in as " + m_account.name + "@" + m_account.server);
    m_session.signIn(m_account);
}

void LobbyPublisher::setTable(const lobby::LobbyTable& table) {
    m_table = table;
    publishChange();
}

void LobbyPublisher::signedIn(const std::string& ownNick) {
    m_log("lobby: in the room as " + ownNick);
    m_signedIn = true;
    m_retryMs = 0;
    m_published.reset();
    publishChange();
}

void LobbyPublisher::failed(const std::string& message) {
    m_signedIn = false;
    m_retryMs = m_retryMs == 0 ? m_firstRetryMs : std::min(m_retryMs * 2, kMaxRetryMs);
    m_log("lobby: " + message + " (signing in again in " + std::to_string(m_retryMs / 1000) +
          " s)");
    m_signInTimer.start(m_retryMs);
}

void LobbyPublisher::publishChange() {
    if (!m_signedIn || !m_table || m_table == m_published) return;
    m_session.publish(lobby::Activity::Hosting, m_table);
    m_published = m_table;
}

} // namespace ui
