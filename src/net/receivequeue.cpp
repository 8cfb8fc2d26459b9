#include "net/receivequeue.h"

#include <algorithm>

namespace core {

std::size_t& ReceiveQueue::countFor(int slot) {
    auto index = static_cast<std::size_t>(slot < 0 ? 0 : slot);
    if (index >= m_counts.size()) m_counts.resize(index + 1, 0);
    return m_counts[index];
}

std::size_t ReceiveQueue::waiting(int slot) const {
    auto index = static_cast<std::size_t>(slot < 0 ? 0 : slot);
    return index < m_counts.size() ? m_counts[index] : 0;
}

bool ReceiveQueue::push(int slot, std::string text) {
    auto& count = countFor(slot);
    if (count >= m_maxPerSlot) return false;
    ++count;
    m_entries.push_back({slot, std::move(text)});
    return true;
}

std::optional<QueueEntry> ReceiveQueue::pop() {
    if (m_entries.empty()) return std::nullopt;
    QueueEntry entry = std::move(m_entries.front());
    m_entries.pop_front();
    --countFor(entry.slot);
    return entry;
}

void ReceiveQueue::dropSlot(int slot) {
    if (waiting(slot) == 0) return;
    std::erase_if(m_entries, [slot](const QueueEntry& e) { return e.slot == slot; });
    countFor(slot) = 0;
}

} // namespace core
