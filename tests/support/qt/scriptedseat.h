// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A player reduced to a script: when its seat's turn begins it rolls all five dice, after the
// first roll it works on the first category offered, and on later rolls it keeps the dice that
// show that category's face (all of them for category 7). It never asks for a category the
// host would refuse, so the host never answers "CMD_needcat".

#include "support/qt/clientboard.h"

#include <string>
#include <vector>

namespace testsupport {

class ScriptedSeat {
public:
    explicit ScriptedSeat(int seat) : m_seat(seat) {}
    // The requests to send once `board` has applied `message`.
    std::vector<std::string> answer(const ClientBoard& board, const std::string& message);
    int turnsBegun() const { return m_turns; }

private:
    int m_seat;
    int m_aim = 0; // the category asked for this turn, before the host confirms it
    int m_turns = 0;
};

} // namespace testsupport
