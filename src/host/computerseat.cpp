// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/computerseat.h"

#include "game/expertplayer.h"

namespace core {

TurnPosition turnPosition(const HostState& state, int seat) {
    const PlayerSlot& s = state.slot(seat);
    TurnPosition p;
    p.scores = s.scores;
    p.rolls = s.rolls;
    p.workingcat = s.workingcat;
    for (int d = 1; d <= kDiceCount; ++d)
        p.dice[static_cast<std::size_t>(d)] = state.turn.dice[static_cast<std::size_t>(d)];
    return p;
}

namespace {
bool computerToMove(const HostState& state, int seat) {
    return HostState::validSeat(seat) && seat == state.turn.currentseat &&
           state.slot(seat).turnactive && state.isComputerPlayed(seat);
}
} // namespace

ComputerDecision computerDecision(const HostState& state, int seat) {
    if (!computerToMove(state, seat)) return {};
    return classicDecision(turnPosition(state, seat));
}

ComputerDecision expertDecision(const HostState& state, int seat) {
    if (!computerToMove(state, seat)) return {};
    return expertDecision(turnPosition(state, seat), state.turn.bonuslimit);
}

} // namespace core
