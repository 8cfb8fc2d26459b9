// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seat menu popup_kick: opened on a seat label, it remembers the seat and offers the
// host's commands for it (remove the player, set or unset just watching). Only the copy that
// leads the table (slot 1, or our own host) gets them enabled; an empty seat cannot be removed.

namespace core {

struct TableState;

// The seat menu popup_kick as prepared for one seat label.
struct SeatMenuState {
    int seat = 0;
    bool removeEnabled = false;         // "Remove From Game"
    bool setJustWatchEnabled = false;   // "Set to Just Watch"
    bool unsetJustWatchEnabled = false; // "Unset Just Watch"
};

class SeatMenu {
public:
    explicit SeatMenu(TableState& state) : m_state(state) {}

    SeatMenuState label_playernameMouseUp(int seat); // prepares popup_kick
    const SeatMenuState& state() const { return m_menu; }
    void RemoveFromGame1Click();
    void SettoJustWatch1Click();
    void UnsetJustWatch1Click();
    // Asks the host to remove the player in the slot (the copy that leads the table only).
    void kicking(int slot);

private:
    TableState& m_state;
    SeatMenuState m_menu;
};

} // namespace core
