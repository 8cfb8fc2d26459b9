// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Puts what the started game means for us (GamePresence) into our presence in the lobby
// room, through the session, at most once a second. A timer runs only while a change waits
// for its second to pass.

#include "lobby/gamepresence.h"
#include "lobby/lobbysession.h"
#include "lobby/publishthrottle.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <string>

namespace lobby {

class RoomPublisher : public QObject {
    Q_OBJECT
public:
    explicit RoomPublisher(LobbySession* session, QObject* parent = nullptr);

    void signedIn(const std::string& nick);
    void signedOut();
    void update(const GamePresence& game);

private:
    void offer();
    void publish(const Presence& presence);

    LobbySession* m_session;
    std::string m_nick;
    bool m_in = false;
    GamePresence m_game;
    QElapsedTimer m_clock;
    PublishThrottle m_throttle;
    QTimer m_wake;
};

} // namespace lobby
