// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/receivequeue.h"

#include <algorithm>

namespace core {

ReceiveQueue::Lane& ReceiveQueue::laneFor(int slot) {
    auto index = static_cast<std::size_t>(slot < 0 ? 0 : slot);
    if (index >= m_lanes.size()) m_lanes.resize(index + 1);
    return m_lanes[index];
}

const ReceiveQueue::Lane* ReceiveQueue::findLane(int slot) const {
    auto index = static_cast<std::size_t>(slot < 0 ? 0 : slot);
    return index < m_lanes.size() ? &m_lanes[index] : nullptr;
}

std::size_t ReceiveQueue::waiting(int slot) const {
    const Lane* lane = findLane(slot);
    return lane ? lane->entries.size() : 0;
}

std::size_t ReceiveQueue::waitingBytes(int slot) const {
    const Lane* lane = findLane(slot);
    return lane ? lane->bytes : 0;
}

bool ReceiveQueue::push(int slot, std::string text) {
    Lane& lane = laneFor(slot);
    if (lane.entries.size() >= m_maxPerSlot) return false;
    // Written as a subtraction (bytes never exceed the limit): the sum could wrap round when
    // there is no limit.
    if (text.size() > m_maxBytesPerSlot - lane.bytes) return false;
    lane.lastStamp = std::max(lane.lastStamp, m_now) + 1;
    lane.bytes += text.size();
    lane.entries.push_back({lane.lastStamp, m_arrivals++, std::move(text)});
    ++m_size;
    return true;
}

std::optional<QueueEntry> ReceiveQueue::pop() {
    if (m_size == 0) return std::nullopt;
    // A handful of slots at most: a scan is cheaper than keeping a heap in step.
    std::size_t best = m_lanes.size();
    for (std::size_t i = 0; i < m_lanes.size(); ++i) {
        const auto& lane = m_lanes[i];
        if (lane.entries.empty()) continue;
        if (best == m_lanes.size()) {
            best = i;
            continue;
        }
        const Stamped& a = lane.entries.front();
        const Stamped& b = m_lanes[best].entries.front();
        if (a.stamp < b.stamp || (a.stamp == b.stamp && a.arrival < b.arrival)) best = i;
    }
    Lane& lane = m_lanes[best];
    Stamped head = std::move(lane.entries.front());
    lane.entries.pop_front();
    lane.bytes -= head.text.size();
    --m_size;
    m_now = std::max(m_now, head.stamp);
    return QueueEntry{static_cast<int>(best), std::move(head.text)};
}

void ReceiveQueue::dropSlot(int slot) {
    if (waiting(slot) == 0) return;
    Lane& lane = laneFor(slot);
    m_size -= lane.entries.size();
    lane.entries.clear();
    lane.bytes = 0;
}

} // namespace core

namespace core {

void ReceiveQueue::moveSlot(int from, int to) {
    if (from == to || waiting(from) == 0) return;
    laneFor(std::max(from, to)); // both lanes exist before either is referenced
    Lane& source = laneFor(from);
    Lane& target = laneFor(to);
    for (auto& entry : source.entries)
        target.entries.push_back(std::move(entry));
    target.bytes += source.bytes;
    target.lastStamp = std::max(target.lastStamp, source.lastStamp);
    source.entries.clear();
    source.bytes = 0;
}

} // namespace core
