// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One entry of the host's slot table. Slots 1..6 are seats, 7..9 spectators; slot 10 exists
// only to park a refused tenth connection for the moment of refusal.

#include "game/counts.h"
#include "net/protocol.h"

#include <array>
#include <string>

namespace core {

struct PlayerSlot {
    std::string name;       // empty while free
    bool connected = false; // decides whether the slot receives broadcasts
    // The connection has logged in. Until then it only waits for its slot (or, showing a seat
    // token, for another one): it plays nothing and must not stop the computer in this seat.
    bool loggedin = false;
    int total = 0;
    bool justwatch = false;
    bool ingame = false;
    int rolls = 0;
    std::array<int, kCategoryCount + 1> scores{}; // index 1..7; -1 = not yet scored
    int workingcat = 0;                           // 0 = none
    bool turnactive = false;
    // The player came back to a held seat during its own turn: the computer finishes that
    // turn, and the seat's next turn waits for the player.
    bool computerfinishes = false;

    PlayerSlot() { scores.fill(-1); }
    int score(int category) const { return scores[static_cast<std::size_t>(category)]; }
};

} // namespace core
