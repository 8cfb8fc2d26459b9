// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The phrase buttons' throttle: after a phrase is sent the buttons rest for two seconds of
// wall-clock time. Typed chat and chatter sounds are not throttled. The caller supplies the
// time (milliseconds from any fixed start), so tests can drive it.

#include <cstdint>

namespace core {

class PhraseLock {
public:
    static constexpr std::int64_t kLockMs = 2000;

    // True when a phrase may be sent at time nowMs.
    bool phraseready(std::int64_t nowMs) const { return !m_locked || nowMs - m_since >= kLockMs; }
    // Records that a phrase was sent at nowMs.
    void lock(std::int64_t nowMs) {
        m_locked = true;
        m_since = nowMs;
    }

private:
    bool m_locked = false;
    std::int64_t m_since = 0;
};

} // namespace core
