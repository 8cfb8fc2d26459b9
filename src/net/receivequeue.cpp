#include "net/receivequeue.h"

#include <algorithm>

namespace core {

ReceiveQueue::Load& ReceiveQueue::loadFor(int slot) {
    auto index = static_cast<std::size_t>(slot < 0 ? 0 : slot);
    if (index >= m_loads.size()) m_loads.resize(index + 1);
    return m_loads[index];
}

const ReceiveQueue::Load* ReceiveQueue::findLoad(int slot) const {
    auto index = static_cast<std::size_t>(slot < 0 ? 0 : slot);
    return index < m_loads.size() ? &m_loads[index] : nullptr;
}

std::size_t ReceiveQueue::waiting(int slot) const {
    const Load* load = findLoad(slot);
    return load ? load->entries : 0;
}

std::size_t ReceiveQueue::waitingBytes(int slot) const {
    const Load* load = findLoad(slot);
    return load ? load->bytes : 0;
}

bool ReceiveQueue::push(int slot, std::string text) {
    Load& load = loadFor(slot);
    if (load.entries >= m_maxPerSlot) return false;
    // Written as a subtraction (bytes never exceed the limit): the sum could wrap round when
    // there is no limit.
    if (text.size() > m_maxBytesPerSlot - load.bytes) return false;
    ++load.entries;
    load.bytes += text.size();
    m_entries.push_back({slot, std::move(text)});
    return true;
}

std::optional<QueueEntry> ReceiveQueue::pop() {
    if (m_entries.empty()) return std::nullopt;
    QueueEntry entry = std::move(m_entries.front());
    m_entries.pop_front();
    Load& load = loadFor(entry.slot);
    --load.entries;
    load.bytes -= entry.text.size();
    return entry;
}

void ReceiveQueue::dropSlot(int slot) {
    if (waiting(slot) == 0) return;
    std::erase_if(m_entries, [slot](const QueueEntry& e) { return e.slot == slot; });
    loadFor(slot) = Load{};
}

} // namespace core
