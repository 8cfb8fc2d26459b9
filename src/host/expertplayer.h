#pragma once
// The expert computer player: the same requests, at the same moments, as the classic player,
// but each one the solver's best for the seat. After the first roll it may keep dice before
// naming a category (the host allows that); it names one before the third roll.

#include "host/computerplayer.h"
#include "host/solver.h"

namespace core {

// The position of `seat`'s turn as the host holds it.
TurnPosition turnPosition(const HostState& state, int seat);

// The next move of `seat`, under the same conditions as computerDecision().
ComputerDecision expertDecision(const HostState& state, int seat);

} // namespace core
