// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The expert computer player: the same requests, at the same moments, as the classic player,
// but each one the solver's best for the position. After the first roll it may keep dice
// before naming a category (the host allows that); it names one before the third roll.

#include "game/computerplayer.h"

namespace core {

// The next move in a turn the computer plays, in a game with the given bonus-roll limit.
ComputerDecision expertDecision(const TurnPosition& position, int bonusLimit);

} // namespace core
