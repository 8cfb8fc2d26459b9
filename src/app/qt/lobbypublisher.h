// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dedicated host's table in the internet lobby: signs in with the host's account and keeps
// its presence in the lobby room carrying the table as it stands. Every change is handed to
// the session, which sends at most one presence a second (the latest); a table unchanged since
// the last publication is not handed on again. When signing in fails or the connection ends, it
// signs in again after a pause that grows to a few minutes, and publishes the table again once in:
// a lobby server restarting loses nobody's table for long. Everything is logged in one line per
// event.

#include "lobby/lobbysession.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

namespace ui {

class LobbyPublisher : public QObject, public lobby::SessionListener {
    Q_OBJECT
public:
    using Log = std::function<void(const std::string& line)>;
    static constexpr int kFirstRetryMs = 5000;
    static constexpr int kMaxRetryMs = 5 * 60 * 1000;

    // The session must outlive the publisher.
    LobbyPublisher(lobby::LobbySession& session, lobby::Account account, Log log,
                   QObject* parent = nullptr);
    ~LobbyPublisher() override;

    // Signs in; publishes whatever table it has once in.
    void start();
    // The table as it stands now.
    void setTable(const lobby::LobbyTable& table);

    // For tests: a shorter pause before signing in again.
    void setFirstRetry(int firstRetryMs) { m_firstRetryMs = firstRetryMs; }

    // lobby::SessionListener
    void signedIn(const std::string& ownNick) override;
    void failed(const std::string& message) override;
    void accountCreated() override {}
    void occupantChanged(const lobby::Occupant&) override {}
    void occupantLeft(const std::string&) override {}
    void chatLine(const std::string&, const std::string&) override {}

private:
    void publishChange();

    lobby::LobbySession& m_session;
    lobby::Account m_account;
    Log m_log;
    QTimer m_signInTimer; // the pause before signing in again
    std::optional<lobby::LobbyTable> m_table;
    std::optional<lobby::LobbyTable> m_published; // on this sign-in
    bool m_signedIn = false;
    int m_firstRetryMs = kFirstRetryMs;
    int m_retryMs = 0;
};

} // namespace ui
