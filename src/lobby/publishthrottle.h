// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps what we publish in the lobby room from changing more than once a second: every
// change of our presence goes to everybody in the room, and a busy table changes far more
// often than anyone reads the list. The clock is handed in (milliseconds, never going back),
// so the throttle is tested without waiting.

#include <cstdint>
#include <functional>
#include <utility>

namespace lobby {

inline constexpr std::int64_t kPublishIntervalMs = 1000;

class PublishThrottle {
public:
    using Clock = std::function<std::int64_t()>;

    explicit PublishThrottle(Clock clock, std::int64_t intervalMs = kPublishIntervalMs)
        : m_clock(std::move(clock)), m_intervalMs(intervalMs) {}

    // How long the next publication has to wait, in ms: 0 means it may go out now.
    std::int64_t wait() const {
        if (!m_published) return 0;
        const std::int64_t left = m_lastMs + m_intervalMs - m_clock();
        return left > 0 ? left : 0;
    }
    // A publication went out now.
    void published() {
        m_lastMs = m_clock();
        m_published = true;
    }

private:
    Clock m_clock;
    std::int64_t m_intervalMs;
    std::int64_t m_lastMs = 0;
    bool m_published = false;
};

} // namespace lobby
