// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/relaylimiter.h"

#include <algorithm>

namespace core {

namespace {
constexpr std::int64_t kFull = RelayLimiter::kBurst * 1000;
} // namespace

bool RelayLimiter::allow(int slot, std::int64_t nowMs) {
    if (slot < 0 || slot >= kSlots) return false;
    Bucket& b = m_buckets[static_cast<std::size_t>(slot)];
    if (b.lastMs >= 0 && nowMs > b.lastMs) {
        // Capped before multiplying: a long quiet spell only refills the bucket.
        const std::int64_t elapsed = std::min<std::int64_t>(nowMs - b.lastMs, kFull);
        b.milliTokens = std::min(kFull, b.milliTokens + elapsed * kPerSecond);
    }
    if (b.lastMs < 0 || nowMs > b.lastMs) b.lastMs = nowMs;
    if (b.milliTokens >= 1000) {
        b.milliTokens -= 1000;
        return true;
    }
    ++b.dropped;
    ++m_droppedTotal;
    return false;
}

void RelayLimiter::reset(int slot) {
    if (slot < 0 || slot >= kSlots) return;
    m_buckets[static_cast<std::size_t>(slot)] = Bucket{};
}

std::uint64_t RelayLimiter::dropped(int slot) const {
    if (slot < 0 || slot >= kSlots) return 0;
    return m_buckets[static_cast<std::size_t>(slot)].dropped;
}

} // namespace core
