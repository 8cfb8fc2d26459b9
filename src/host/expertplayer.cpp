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

ComputerMove requestFor(int seat, const SolverDecision& decision) {
    const std::string seatText = std::to_string(seat);
    if (decision.category != 0)
        return {ComputerMove::Kind::SelectCategory,
                seatText + '+' + std::to_string(decision.category) + '+'};
    std::string payload = seatText;
    if (decision.reroll.empty()) payload += "+0";
    for (int d : decision.reroll)
        payload += '+' + std::to_string(d);
    return {ComputerMove::Kind::Roll, payload};
}

ComputerMove expertMove(const HostState& state, int seat) {
    ComputerMove classic = computerMove(state, seat);
    // Where the classic player does nothing, or only rolls all five to begin, so does the expert.
    if (classic.kind == ComputerMove::Kind::None || state.slot(seat).rolls == 0) return classic;
    const TurnPosition p = turnPosition(state, seat);
    SolverDecision decision = Solver::forLimit(state.turn.bonuslimit).best(p);
    if (decision.category == 0 && p.workingcat == 0 && p.rolls == 2) return classic;
    return requestFor(seat, decision);
}

} // namespace core
