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

std::vector<int> diceToReroll(int workingcat, const Dice& dice) {
    std::vector<int> roll;
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

ComputerMove computerMove(const HostState& state, int seat) {
    if (!HostState::validSeat(seat) || seat != state.turn.currentseat) return {};
    const PlayerSlot& s = state.slot(seat);
    if (!s.turnactive || !state.isComputerPlayed(seat)) return {};

    const std::string seatText = std::to_string(seat);
    if (s.rolls == 0) return {ComputerMove::Kind::Roll, seatText + "+1+2+3+4+5"};
    if (s.workingcat == 0) {
        int c = chooseWorkingCategory(s.scores, state.turn.dice);
        return {ComputerMove::Kind::SelectCategory, seatText + '+' + std::to_string(c) + '+'};
    }
    std::string payload = seatText;
    auto roll = diceToReroll(s.workingcat, state.turn.dice);
    if (roll.empty()) payload += "+0";
    for (int d : roll)
        payload += '+' + std::to_string(d);
    return {ComputerMove::Kind::Roll, payload};
}

} // namespace core
