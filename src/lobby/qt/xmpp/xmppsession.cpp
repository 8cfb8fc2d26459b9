// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/xmpp/xmppsession.h"

#include "lobby/qt/xmpp/xmppclient.h"

namespace lobby {

XmppSession::XmppSession(QObject* parent) : QObject(parent) {
    m_presenceTimer.setSingleShot(true);
    m_presenceTimer.callOnTimeout([this] { sendPresenceWhenDue(); });
}

XmppSession::~XmppSession() {
    if (m_client) m_client->stop();
}

void XmppSession::setPingTimes(std::chrono::milliseconds interval,
                               std::chrono::milliseconds timeout) {
    m_pingInterval = interval;
    m_pingTimeout = timeout;
}

void XmppSession::signIn(const Account& account) {
    connectFor(account, false);
}

void XmppSession::createAccount(const Account& account) {
    connectFor(account, true);
}

void XmppSession::connectFor(const Account& account, bool createAccount) {
    retire();
    m_account = account;
    m_client = std::make_unique<XmppClient>(
        account, createAccount ? XmppClient::Purpose::Register : XmppClient::Purpose::SignIn,
        static_cast<SessionListener&>(*this));
    m_client->setPingTimes(m_pingInterval, m_pingTimeout);
    m_client->start();
}

void XmppSession::signOut() {
    retire();
}

void XmppSession::retire() {
    m_presenceTimer.stop();
    m_lastPresence.invalidate();
    if (!m_client) return;
    m_client->stop();
    m_retired.push_back(std::move(m_client));
    QMetaObject::invokeMethod(
        this, [this] { m_retired.clear(); }, Qt::QueuedConnection);
}

void XmppSession::say(const std::string& text) {
    if (m_client) m_client->say(text);
}

void XmppSession::publish(Activity activity, const std::optional<LobbyTable>& table) {
    if (activity == m_activity && table == m_table) return;
    m_activity = activity;
    m_table = table;
    m_presenceDue = true;
    sendPresenceWhenDue();
}

void XmppSession::sendPresenceWhenDue() {
    if (!m_presenceDue || !m_client || !m_client->inRoom() || m_presenceTimer.isActive()) return;
    if (m_lastPresence.isValid()) {
        const auto since = std::chrono::milliseconds(m_lastPresence.elapsed());
        if (since < kPublishInterval) {
            m_presenceTimer.start(kPublishInterval - since);
            return;
        }
    }
    m_presenceDue = false;
    m_lastPresence.start();
    m_client->sendPresence(m_activity, m_table);
}

void XmppSession::kick(const std::string& nick) {
    if (m_client) m_client->kick(nick);
}

void XmppSession::ban(const std::string& nick) {
    if (m_client) m_client->ban(nick);
}

void XmppSession::signedIn(const std::string& ownNick) {
    // The room saw our bare entry; what we publish follows it.
    m_presenceDue = m_activity != Activity::InLobby || m_table.has_value();
    if (m_listener) m_listener->signedIn(ownNick);
    sendPresenceWhenDue();
}

void XmppSession::failed(const std::string& message) {
    retire();
    if (m_listener) m_listener->failed(message);
}

void XmppSession::accountCreated() {
    retire();
    if (m_listener) m_listener->accountCreated();
    connectFor(m_account, false);
}

void XmppSession::occupantChanged(const Occupant& occupant) {
    if (m_listener) m_listener->occupantChanged(occupant);
}

void XmppSession::occupantLeft(const std::string& nick) {
    if (m_listener) m_listener->occupantLeft(nick);
}

void XmppSession::chatLine(const std::string& nick, const std::string& text) {
    if (m_listener) m_listener->chatLine(nick, text);
}

} // namespace lobby
