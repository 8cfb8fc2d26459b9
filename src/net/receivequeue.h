// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The receive queue: complete messages waiting to be handled, each with the slot of the
// connection it arrived on. The owner drains it from a timer.
//
// Entries leave in a fair order across connections: every connection's own entries keep their
// order, and a connection with many entries waiting takes turns with the others instead of
// making them wait behind its whole backlog. Each entry is stamped with a virtual time, one
// past the later of the connection's previous stamp and the stamp of the entry handled last;
// the smallest stamp leaves first, ties in arrival order. While no connection has more than one
// entry waiting this is plain arrival order.
//
// Each slot may have at most a fixed number of entries, and optionally of text bytes, waiting;
// a push beyond either is refused so the owner can close the flooding connection instead of
// growing without bound.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace core {

struct QueueEntry {
    int slot = 0; // 0 on the client side, which has one connection
    std::string text;
};

class ReceiveQueue {
public:
    static constexpr std::size_t kDefaultMaxPerSlot = 256;

    static constexpr std::size_t kNoByteLimit = std::numeric_limits<std::size_t>::max();

    explicit ReceiveQueue(std::size_t maxPerSlot = kDefaultMaxPerSlot,
                          std::size_t maxBytesPerSlot = kNoByteLimit)
        : m_maxPerSlot(maxPerSlot), m_maxBytesPerSlot(maxBytesPerSlot) {}

    // Appends an entry; false (and nothing appended) when the slot already has the maximum
    // number of entries waiting, or when the entry's text would take the slot's waiting bytes
    // past their maximum.
    bool push(int slot, std::string text);
    // Takes the next entry in the fair order; nullopt when the queue is empty.
    std::optional<QueueEntry> pop();
    // Removes every waiting entry of a slot whose connection has closed.
    void dropSlot(int slot);
    // A connection now speaks for another slot: its waiting entries go with it, in order.
    void moveSlot(int from, int to);

    bool empty() const { return m_size == 0; }
    std::size_t size() const { return m_size; }
    std::size_t waiting(int slot) const;
    // The text bytes of a slot's waiting entries.
    std::size_t waitingBytes(int slot) const;
    std::size_t maxPerSlot() const { return m_maxPerSlot; }
    std::size_t maxBytesPerSlot() const { return m_maxBytesPerSlot; }

private:
    struct Stamped {
        std::uint64_t stamp = 0;
        std::uint64_t arrival = 0;
        std::string text;
    };
    struct Lane {
        std::deque<Stamped> entries;
        std::size_t bytes = 0;
        std::uint64_t lastStamp = 0;
    };
    Lane& laneFor(int slot);
    const Lane* findLane(int slot) const;

    std::size_t m_maxPerSlot;
    std::size_t m_maxBytesPerSlot;
    std::vector<Lane> m_lanes; // indexed by slot
    std::size_t m_size = 0;
    std::uint64_t m_now = 0; // stamp of the entry taken last
    std::uint64_t m_arrivals = 0;
};

} // namespace core
