// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computer at the host's table: which seats it plays now, and the move of such a seat as
// the classic or the expert player decides it.

#include "game/computerplayer.h"
#include "host/hoststate.h"

namespace core {

// The position of `seat`'s turn as the host holds it.
TurnPosition turnPosition(const HostState& state, int seat);

// The next move of `seat`: nothing unless it is the current seat, its turn is active and no
// present, playing human sits there.
ComputerDecision computerDecision(const HostState& state, int seat);
ComputerDecision expertDecision(const HostState& state, int seat);

} // namespace core
