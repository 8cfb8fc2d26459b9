#include "host/computerplayer.h"

namespace core {

int chooseWorkingCategory(const ScoreSheet& scores, const Dice& dice) {
    int candidate = 0;
    for (int c = 1; c <= 6; ++c) {
        if (!isOpen(scores, c)) continue;
        if (candidate == 0 || faceCount(dice, c) > faceCount(dice, candidate)) candidate = c;
    }
    if (candidate != 0) return candidate;
    for (int c = 1; c <= kCategoryCount; ++c)
        if (isOpen(scores, c)) return c;
    return 0;
}

DieNumbers diceToReroll(int workingcat, const Dice& dice) {
    DieNumbers roll;
    if (workingcat == kBrambleCategory) {
        std::array<bool, 7> kept{};
        bool keptEnd = false; // a 1 or a 6 is kept already
        for (int d = 1; d <= kDiceCount; ++d) {
            int face = dice[static_cast<std::size_t>(d)];
            if (face >= 2 && face <= 5 && !kept[static_cast<std::size_t>(face)]) {
                kept[static_cast<std::size_t>(face)] = true;
            } else if ((face == 1 || face == 6) && !keptEnd) {
                keptEnd = true;
            } else {
                roll.push_back(d);
            }
        }
        return roll;
    }
    for (int d = 1; d <= kDiceCount; ++d)
        if (dice[static_cast<std::size_t>(d)] != workingcat) roll.push_back(d);
    return roll;
}

ComputerDecision computerDecision(const HostState& state, int seat) {
    ComputerDecision move;
    if (!HostState::validSeat(seat) || seat != state.turn.currentseat) return move;
    const PlayerSlot& s = state.slot(seat);
    if (!s.turnactive || !state.isComputerPlayed(seat)) return move;

    if (s.rolls == 0) {
        move.kind = ComputerMove::Kind::Roll;
        move.dice = {1, 2, 3, 4, 5};
        return move;
    }
    if (s.workingcat == 0) {
        move.kind = ComputerMove::Kind::SelectCategory;
        move.category = chooseWorkingCategory(s.scores, state.turn.dice);
        return move;
    }
    move.kind = ComputerMove::Kind::Roll;
    move.dice = diceToReroll(s.workingcat, state.turn.dice);
    if (move.dice.empty()) move.dice.push_back(0); // the single field 0: nothing to roll
    return move;
}

ComputerMove computerMove(const HostState& state, int seat) {
    const ComputerDecision move = computerDecision(state, seat);
    const std::string seatText = std::to_string(seat);
    switch (move.kind) {
    case ComputerMove::Kind::SelectCategory:
        return {move.kind, seatText + '+' + std::to_string(move.category) + '+'};
    case ComputerMove::Kind::Roll: {
        std::string payload = seatText;
        for (int d : move.dice)
            payload += '+' + std::to_string(d);
        return {move.kind, payload};
    }
    case ComputerMove::Kind::None:
        break;
    }
    return {};
}

} // namespace core
