#include "host/expertplayer.h"

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

ComputerDecision expertDecision(const HostState& state, int seat) {
    ComputerDecision classic = computerDecision(state, seat);
    // Where the classic player does nothing, or only rolls all five to begin, so does the expert.
    if (classic.kind == ComputerMove::Kind::None || state.slot(seat).rolls == 0) return classic;
    const TurnPosition p = turnPosition(state, seat);
    const SolverDecision best = Solver::forLimit(state.turn.bonuslimit)->best(p);
    if (best.category == 0 && p.workingcat == 0 && p.rolls == 2) return classic;

    ComputerDecision out;
    if (best.category != 0) {
        out.kind = ComputerMove::Kind::SelectCategory;
        out.category = best.category;
        return out;
    }
    out.kind = ComputerMove::Kind::Roll;
    if (best.reroll.empty()) out.dice.push_back(0);
    for (int d : best.reroll)
        out.dice.push_back(d);
    return out;
}

} // namespace core
