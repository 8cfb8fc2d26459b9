#pragma once
// The computer player: decides one move for a seat nobody present plays. It only decides; the
// turn engine carries the move out through the same handlers a client's request reaches, so
// the computer cannot do anything a player could not.

#include "host/hoststate.h"
#include "host/rules.h"

#include <array>
#include <string>

namespace core {

struct ComputerMove {
    enum class Kind { None, Roll, SelectCategory };
    Kind kind = Kind::None;
    // The request payload, exactly as a client would send it ("2+1+2+3+4+5", "2+4+").
    std::string payload;
};

// The open face with the most dice (ties to the lower face, even with no die showing it);
// the first open category from 1 when no face is open. 0 only if nothing at all is open.
int chooseWorkingCategory(const ScoreSheet& scores, const Dice& dice);

// Dice to roll again, ascending. Aiming at the Bramble keeps one die of each face 2..5 and one
// die showing 1 or 6; aiming at a face keeps every die showing it.
DieNumbers diceToReroll(int workingcat, const Dice& dice);

// The next move of `seat`: nothing unless it is the current seat, its turn is active and no
// present, playing human sits there.
ComputerMove computerMove(const HostState& state, int seat);

// The same move as values, for the turn engine to carry out without building and reading a
// request text: the dice of a roll (a lone 0 when none is rolled again) or the category.
struct ComputerDecision {
    ComputerMove::Kind kind = ComputerMove::Kind::None;
    int category = 0;
    DieNumbers dice;
};
ComputerDecision computerDecision(const HostState& state, int seat);

} // namespace core
