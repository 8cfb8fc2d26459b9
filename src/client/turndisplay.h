// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The messages that move a game from turn to turn and what they draw: a new game
// ("CMD_startgame"), whose turn it is ("CMD_nextplayer"), a roll ("CMD_createdice"), the
// working category ("CMD_selectedcat") and the host asking for one ("CMD_needcat").
//
// Each handler applies its effects in the order the board is drawn and reads each number where
// it is first needed: a field that is not a number stops the handler there, with everything
// before it already done.

#include "client/hostevents.h"

namespace core {

struct TableState;

class TurnDisplay {
public:
    explicit TurnDisplay(TableState& state) : m_state(state) {}

    void startthegame(const fromHost::Startgame& in);
    void getnextplayer(const fromHost::Nextplayer& in);
    void createdice(const fromHost::Createdice& in);
    void selectedcat(const fromHost::Selectedcat& in);
    void needcat(const fromHost::Needcat& in);

    // The steps of setting up a turn, shared with the late joiner's rebuild.
    void showTurnColumn(int seat, bool hideMarks);
    void offerCategory(int category);
    void announceTurn(int seat);

private:
    TableState& m_state;
};

} // namespace core
