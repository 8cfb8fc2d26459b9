// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rebuilds the board for a player who arrives during a game: "CMD_loadstats" carries the turn
// (seat, limit, rolls, round, working category and dice), "CMD_loadscores" the score sheet and
// who sits the game out. Both are addressed to one slot; the others' copies are ignored.

#include "client/hostevents.h"

namespace core {

struct TableState;
class TurnDisplay;

class LateJoin {
public:
    LateJoin(TableState& state, TurnDisplay& turns) : m_state(state), m_turns(turns) {}

    void loadstats(const fromHost::Loadstats& in);
    void loadscores(const fromHost::Loadscores& in);

private:
    TableState& m_state;
    TurnDisplay& m_turns; // the turn set-up steps are replayed, not copied
};

} // namespace core
