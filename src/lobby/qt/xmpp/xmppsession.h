// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lobby's session with a standard XMPP server (gloox underneath; no gloox type shows
// here). Driven by the Qt event loop of the thread that creates it: an idle session wakes
// only for its keep-alive ping (XEP-0199, every minute by default; no answer within half a
// minute ends the session with kConnectionLost).
//
// What it puts in the room (XEP-0045) besides chat, in its presence there:
//   <activity xmlns="urn:x-bramblies:table:1" state="lobby|playing|hosting"/>
//   <table xmlns="urn:x-bramblies:table:1" .../>   (lobby/lobbytable.h; only while hosting)
// An occupant whose presence has no activity element is in the lobby. Presence updates go
// out at most once a second; a burst of publish() calls sends only the last one.

#include "lobby/lobbysession.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace lobby {

class XmppClient;

class XmppSession : public QObject, public LobbySession, private SessionListener {
public:
    static constexpr std::chrono::milliseconds kPublishInterval{1000};

    explicit XmppSession(QObject* parent = nullptr);
    ~XmppSession() override;

    // Keep-alive: a ping every `interval`, the session given up after `timeout` without an
    // answer (tests shorten both). Applies to the next sign-in.
    void setPingTimes(std::chrono::milliseconds interval, std::chrono::milliseconds timeout);

    void setListener(SessionListener* listener) override { m_listener = listener; }
    void signIn(const Account& account) override;
    void createAccount(const Account& account) override;
    void signOut() override;
    void say(const std::string& text) override;
    void publish(Activity activity, const std::optional<LobbyTable>& table) override;
    void kick(const std::string& nick) override;
    void ban(const std::string& nick) override;

private:
    // What the current connection reports, passed on to our listener.
    void signedIn(const std::string& ownNick) override;
    void failed(const std::string& message) override;
    void accountCreated() override;
    void occupantChanged(const Occupant& occupant) override;
    void occupantLeft(const std::string& nick) override;
    void chatLine(const std::string& nick, const std::string& text) override;

    void connectFor(const Account& account, bool createAccount);
    // Lets go of the current connection; it is destroyed once control is back in the event
    // loop, as its report may be on the stack.
    void retire();
    void sendPresenceWhenDue();

    SessionListener* m_listener = nullptr;
    std::unique_ptr<XmppClient> m_client;
    std::vector<std::unique_ptr<XmppClient>> m_retired;
    Account m_account;
    std::chrono::milliseconds m_pingInterval{60000};
    std::chrono::milliseconds m_pingTimeout{30000};
    Activity m_activity = Activity::InLobby;
    std::optional<LobbyTable> m_table;
    bool m_presenceDue = false;
    QElapsedTimer m_lastPresence;
    QTimer m_presenceTimer;
};

} // namespace lobby
