// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/roompublisher.h"

namespace lobby {

RoomPublisher::RoomPublisher(LobbySession* session, QObject* parent)
    : QObject(parent), m_session(session), m_throttle([this] { return m_clock.elapsed(); }) {
    m_clock.start();
    m_wake.setSingleShot(true);
    connect(&m_wake, &QTimer::timeout, this, [this] {
        if (auto presence = m_throttle.due()) publish(*presence);
        if (auto wait = m_throttle.wakeInMs()) m_wake.start(int(*wait));
    });
}

void RoomPublisher::signedIn(const std::string& nick) {
    m_nick = nick;
    m_in = true;
    m_throttle.reset();
    // Entering the room already says "in the lobby"; anything else goes out now.
    if (!(m_game.presence(m_nick) == Presence{})) offer();
}

void RoomPublisher::signedOut() {
    m_in = false;
    m_wake.stop();
    m_throttle.reset();
}

void RoomPublisher::update(const GamePresence& game) {
    m_game = game;
    if (m_in) offer();
}

void RoomPublisher::offer() {
    if (auto presence = m_throttle.offer(m_game.presence(m_nick))) publish(*presence);
    if (auto wait = m_throttle.wakeInMs()) {
        if (!m_wake.isActive()) m_wake.start(int(*wait));
    } else {
        m_wake.stop();
    }
}

void RoomPublisher::publish(const Presence& presence) {
    if (m_session) m_session->publish(presence.activity, presence.table);
}

} // namespace lobby
