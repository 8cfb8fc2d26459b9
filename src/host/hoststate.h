// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The host's authoritative state: the slot table and the turn state, with the sending helpers
// every host component shares. The seat/login logic (GameHost) and the turn engine both work
// on one HostState.

#include "host/hostevents.h"
#include "host/hostport.h"
#include "host/playerslot.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace core {

struct TurnState {
    bool gamerunning = false;
    int currentseat = 0;       // 0 before the first turn
    int round = 0;             // 1..7 during a game; 8 = over
    std::array<int, 6> dice{}; // index 1..5; 0 = not rolled yet this turn
    int bonuslimit = 0;        // 0 unlimited, 1, 2 or 5
    int bonusrollsused = 0;
};

class HostState {
public:
    explicit HostState(HostPort& port) : m_port(port) {}

    HostPort& port() { return m_port; }

    // Slots 1..10 (10 only parks a refused connection); index 0 is unused.
    PlayerSlot& slot(int n) { return m_slots[static_cast<std::size_t>(n)]; }
    const PlayerSlot& slot(int n) const { return m_slots[static_cast<std::size_t>(n)]; }
    static bool validSlot(int n) { return n >= 1 && n <= kMaxSlot; }
    static bool validSeat(int n) { return n >= 1 && n <= kSeatCount; }

    int slotcount = 0; // highest slot handed out so far; never lowered
    TurnState turn;

    // A seat is played by the computer while nobody present plays it. A connection that has
    // not logged in is nobody yet: a returning player's connection may wait in this seat for a
    // moment before its reclaim moves it to its own.
    bool isComputerPlayed(int seat) const {
        const auto& s = slot(seat);
        return !s.connected || !s.loggedin || s.justwatch || s.computerfinishes;
    }

    // Send to one slot, only if it is connected.
    void sendTo(int n, const std::string& message) {
        if (validSlot(n) && slot(n).connected) m_port.send(n, message);
    }
    // Send to every connected slot in ascending order.
    void broadcast(const std::string& message) { broadcastExcept(0, message); }
    void broadcastExcept(int except, const std::string& message) {
        for (int n = 1; n <= slotcount && n <= kMaxSlot; ++n)
            if (n != except && slot(n).connected) m_port.send(n, message);
    }

    // Watchers of the table (logs, metrics, orchestration); they must outlive the state or be
    // removed first.
    void addWatcher(HostEvents* watcher) { m_watchers.push_back(watcher); }
    void removeWatcher(HostEvents* watcher) { std::erase(m_watchers, watcher); }
    template <typename F> void tell(F&& event) {
        for (HostEvents* w : m_watchers)
            event(*w);
    }

private:
    HostPort& m_port;
    std::vector<HostEvents*> m_watchers;
    std::array<PlayerSlot, 11> m_slots{};
};

} // namespace core
