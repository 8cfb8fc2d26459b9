#pragma once
// The receive queue: complete messages waiting to be handled, each with the slot of the
// connection it arrived on, in arrival order across all connections. The owner drains it one
// entry per timer tick.
//
// Each slot may have at most a fixed number of entries waiting; a push beyond that is refused
// so the owner can close the flooding connection instead of growing without bound.

#include <cstddef>
#include <deque>
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

    explicit ReceiveQueue(std::size_t maxPerSlot = kDefaultMaxPerSlot) : m_maxPerSlot(maxPerSlot) {}

    // Appends an entry; false (and nothing appended) when the slot already has the maximum
    // number of entries waiting.
    bool push(int slot, std::string text);
    // Takes the oldest entry; nullopt when the queue is empty.
    std::optional<QueueEntry> pop();
    // Removes every waiting entry of a slot whose connection has closed.
    void dropSlot(int slot);

    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    std::size_t waiting(int slot) const;
    std::size_t maxPerSlot() const { return m_maxPerSlot; }

private:
    std::size_t& countFor(int slot);

    std::size_t m_maxPerSlot;
    std::deque<QueueEntry> m_entries;
    std::vector<std::size_t> m_counts; // indexed by slot
};

} // namespace core
