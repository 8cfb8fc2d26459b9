#pragma once
// The receive queue: complete messages waiting to be handled, each with the slot of the
// connection it arrived on, in arrival order across all connections. The owner drains it one
// entry per timer tick.
//
// Each slot may have at most a fixed number of entries, and optionally of text bytes, waiting;
// a push beyond either is refused so the owner can close the flooding connection instead of
// growing without bound.

#include <cstddef>
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
    // Takes the oldest entry; nullopt when the queue is empty.
    std::optional<QueueEntry> pop();
    // Removes every waiting entry of a slot whose connection has closed.
    void dropSlot(int slot);

    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    std::size_t waiting(int slot) const;
    // The text bytes of a slot's waiting entries.
    std::size_t waitingBytes(int slot) const;
    std::size_t maxPerSlot() const { return m_maxPerSlot; }
    std::size_t maxBytesPerSlot() const { return m_maxBytesPerSlot; }

private:
    struct Load {
        std::size_t entries = 0;
        std::size_t bytes = 0;
    };
    Load& loadFor(int slot);
    const Load* findLoad(int slot) const;

    std::size_t m_maxPerSlot;
    std::size_t m_maxBytesPerSlot;
    std::deque<QueueEntry> m_entries;
    std::vector<Load> m_loads; // indexed by slot
};

} // namespace core
