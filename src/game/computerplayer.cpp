// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/computerplayer.h"

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

ComputerDecision classicDecision(const TurnPosition& p) {
    ComputerDecision move;
    if (p.rolls == 0) {
        move.kind = ComputerDecision::Kind::Roll;
        move.dice = {1, 2, 3, 4, 5};
        return move;
    }
    if (p.workingcat == 0) {
        move.kind = ComputerDecision::Kind::SelectCategory;
        move.category = chooseWorkingCategory(p.scores, p.dice);
        return move;
    }
    move.kind = ComputerDecision::Kind::Roll;
    move.dice = diceToReroll(p.workingcat, p.dice);
    if (move.dice.empty()) move.dice.push_back(0); // the single field 0: nothing to roll
    return move;
}

} // namespace core
