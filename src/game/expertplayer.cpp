// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/expertplayer.h"

#include "game/solver.h"

namespace core {

ComputerDecision expertDecision(const TurnPosition& p, int bonusLimit) {
    ComputerDecision classic = classicDecision(p);
    // Where the classic player only rolls all five to begin, so does the expert.
    if (p.rolls == 0) return classic;
    const SolverDecision best = Solver::forLimit(bonusLimit)->best(p);
    if (best.category == 0 && p.workingcat == 0 && p.rolls == 2) return classic;

    ComputerDecision out;
    if (best.category != 0) {
        out.kind = ComputerDecision::Kind::SelectCategory;
        out.category = best.category;
        return out;
    }
    out.kind = ComputerDecision::Kind::Roll;
    if (best.reroll.empty()) out.dice.push_back(0);
    for (int d : best.reroll)
        out.dice.push_back(d);
    return out;
}

} // namespace core
