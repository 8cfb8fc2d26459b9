// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computer player: decides one move in a turn it plays. It only decides; the host's turn
// engine carries the move out through the same handlers a client's request reaches, so the
// computer cannot do anything a player could not.

#include "game/rules.h"

namespace core {

// The move as values: the dice of a roll (a lone 0 when none is rolled again, as a request
// names them) or the category.
struct ComputerDecision {
    enum class Kind { None, Roll, SelectCategory };
    Kind kind = Kind::None;
    int category = 0;
    DieNumbers dice;
};

// The open face with the most dice (ties to the lower face, even with no die showing it);
// the first open category from 1 when no face is open. 0 only if nothing at all is open.
int chooseWorkingCategory(const ScoreSheet& scores, const Dice& dice);

// Dice to roll again, ascending. Aiming at the Bramble keeps one die of each face 2..5 and one
// die showing 1 or 6; aiming at a face keeps every die showing it.
DieNumbers diceToReroll(int workingcat, const Dice& dice);

// The classic player's next move in a turn that is its to play: roll all five to begin, then
// name the working category, then roll what does not count towards it.
ComputerDecision classicDecision(const TurnPosition& position);

} // namespace core
