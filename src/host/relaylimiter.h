// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps one connection from monopolising the table with chat. Each slot has a bucket of
// kBurst relay tokens (chat, action and chatter sound share it) that refills at kPerSecond;
// a relay request that finds the bucket empty is dropped and counted. A normal player never
// notices: typing or clicking phrase buttons stays far below the refill rate on average.
//
// Time is handed in by the caller in milliseconds, so tests drive it by hand.

#include <array>
#include <cstdint>

namespace core {

class RelayLimiter {
public:
    static constexpr int kBurst = 10;
    static constexpr int kPerSecond = 4;
    static constexpr int kSlots = 11;

    // True when the slot may relay one more message at nowMs (and takes a token).
    bool allow(int slot, std::int64_t nowMs);
    // A new connection in the slot starts with a full bucket.
    void reset(int slot);

    std::uint64_t dropped(int slot) const;
    std::uint64_t droppedTotal() const { return m_droppedTotal; }

private:
    struct Bucket {
        // Thousandths of a token, so the refill needs no fractions.
        std::int64_t milliTokens = kBurst * 1000;
        std::int64_t lastMs = -1;
        std::uint64_t dropped = 0;
    };
    std::array<Bucket, kSlots> m_buckets{};
    std::uint64_t m_droppedTotal = 0;
};

} // namespace core
