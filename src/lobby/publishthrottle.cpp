// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/publishthrottle.h"

namespace lobby {

PublishThrottle::PublishThrottle(std::function<std::int64_t()> nowMs) : m_now(std::move(nowMs)) {}

std::optional<Presence> PublishThrottle::offer(const Presence& presence) {
    if (!m_waiting && m_sent == presence) return std::nullopt;
    const std::int64_t now = m_now();
    if (m_sentAt && now - *m_sentAt < kIntervalMs) {
        // Going back to what the room already has needs no message at all.
        if (m_sent == presence)
            m_waiting.reset();
        else
            m_waiting = presence;
        return std::nullopt;
    }
    return send(presence, now);
}

std::optional<Presence> PublishThrottle::due() {
    if (!m_waiting) return std::nullopt;
    const std::int64_t now = m_now();
    if (m_sentAt && now - *m_sentAt < kIntervalMs) return std::nullopt;
    Presence presence = *m_waiting;
    return send(presence, now);
}

std::optional<std::int64_t> PublishThrottle::wakeInMs() const {
    if (!m_waiting) return std::nullopt;
    const std::int64_t left = *m_sentAt + kIntervalMs - m_now();
    return left > 0 ? left : 0;
}

void PublishThrottle::reset() {
    m_sent.reset();
    m_waiting.reset();
    m_sentAt.reset();
}

std::optional<Presence> PublishThrottle::send(const Presence& presence, std::int64_t now) {
    m_waiting.reset();
    m_sent = presence;
    m_sentAt = now;
    return presence;
}

} // namespace lobby
