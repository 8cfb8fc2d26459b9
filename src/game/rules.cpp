// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rules.h"

namespace core {

void rollAll(Dice& dice, RandomSource& random) {
    for (int d = 1; d <= kDiceCount; ++d)
        dice[static_cast<std::size_t>(d)] = random.face();
}

int rerollFace(int current, RandomSource& random) {
    int face = random.face();
    while (face == current)
        face = random.face();
    return face;
}

int faceCount(const Dice& dice, int face) {
    int n = 0;
    for (int d = 1; d <= kDiceCount; ++d)
        if (dice[static_cast<std::size_t>(d)] == face) ++n;
    return n;
}

int diceSum(const Dice& dice) {
    int sum = 0;
    for (int d = 1; d <= kDiceCount; ++d)
        sum += dice[static_cast<std::size_t>(d)];
    return sum;
}

bool isStraight(const Dice& dice) {
    auto hasAll = [&](int from, int to) {
        for (int f = from; f <= to; ++f)
            if (faceCount(dice, f) == 0) return false;
        return true;
    };
    return hasAll(1, 5) || hasAll(2, 6);
}

int faceScore(const Dice& dice, int category) {
    return category * faceCount(dice, category);
}

int finalBrambleScore(const Dice& dice) {
    return isStraight(dice) ? diceSum(dice) : 0;
}

int firstRollBrambleScore(const Dice& dice) {
    return diceSum(dice) + kFirstRollBrambleBonus;
}

bool isOpen(const ScoreSheet& scores, int category) {
    return category >= 1 && category <= kCategoryCount &&
           scores[static_cast<std::size_t>(category)] == -1;
}

CategoryNumbers openCategories(const ScoreSheet& scores, int round) {
    CategoryNumbers open;
    for (int c = 1; c <= 6; ++c)
        if (isOpen(scores, c)) open.push_back(c);
    if (round == kRounds && isOpen(scores, kBrambleCategory)) open.push_back(kBrambleCategory);
    return open;
}

AutoCategory autoWorkingCategory(const ScoreSheet& scores) {
    int openFaces = 0;
    int lastOpen = 0;
    for (int c = 1; c <= 6; ++c)
        if (isOpen(scores, c)) {
            ++openFaces;
            lastOpen = c;
        }
    if (openFaces == 1) return {lastOpen, false};
    if (openFaces == 0) {
        if (isOpen(scores, kBrambleCategory)) return {kBrambleCategory, false};
        return {0, true};
    }
    return {0, false};
}

bool isBonus(int category, const Dice& dice) {
    return category >= 1 && category <= 6 && faceScore(dice, category) == 5 * category;
}

int bonusGain(int category, const Dice& dice) {
    return faceScore(dice, category);
}

std::vector<int> winners(const SeatTotals& totals) {
    int best = 1;
    for (int s = 2; s <= kSeatCount; ++s)
        if (totals[static_cast<std::size_t>(s)] > totals[static_cast<std::size_t>(best)]) best = s;
    std::vector<int> result{best};
    for (int s = 1; s <= kSeatCount; ++s)
        if (s != best &&
            totals[static_cast<std::size_t>(s)] == totals[static_cast<std::size_t>(best)])
            result.push_back(s);
    return result;
}

} // namespace core
