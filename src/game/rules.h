// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dice rules as pure functions over dice, a seat's score sheet and the game settings. The
// turn engine calls them; nothing here knows about seats, messages or timing, so every rule
// can be checked on its own with scripted dice.

#include "game/counts.h"
#include "game/numberlist.h"
#include "game/randomsource.h"

#include <array>
#include <vector>

namespace core {

using Dice = std::array<int, kDiceCount + 1>;           // index 1..5; 0 = not rolled yet
using ScoreSheet = std::array<int, kCategoryCount + 1>; // index 1..7; -1 = not yet scored
using SeatTotals = std::array<int, kSeatCount + 1>;     // index 1..6
using DieNumbers = NumberList<kDiceCount>;              // dice 1..5
using CategoryNumbers = NumberList<kCategoryCount>;     // categories 1..7

// A seat's turn as far as the rules and the players see it.
struct TurnPosition {
    ScoreSheet scores{};
    int rolls = 0;      // rolls made so far this turn, 0..2
    Dice dice{};        // faces of dice 1..5 once rolled
    int workingcat = 0; // 0 for none
};

inline constexpr int kBrambleCategory = 7;
// A straight on the first roll scores its faces plus this.
inline constexpr int kFirstRollBrambleBonus = 20;

// Host notice when the automatic working category finds nothing left to aim for.
inline constexpr const char* kNoticeAutoCat7 = "error in auto selecting cat 7";

// Five new faces for dice 1..5.
void rollAll(Dice& dice, RandomSource& random);
// A new face for a die that shows `current`; never `current` again.
int rerollFace(int current, RandomSource& random);

int faceCount(const Dice& dice, int face);
int diceSum(const Dice& dice);
// 1-2-3-4-5 or 2-3-4-5-6 in any order.
bool isStraight(const Dice& dice);
// Score of a face category c: c times the dice showing c.
int faceScore(const Dice& dice, int category);
// Category 7 at the end of the third roll: the faces' sum for a straight, else 0.
int finalBrambleScore(const Dice& dice);
// Category 7 from a straight on the first roll.
int firstRollBrambleScore(const Dice& dice);

bool isOpen(const ScoreSheet& scores, int category);
// Open faces ascending, plus 7 in the last round while the Bramble is open.
CategoryNumbers openCategories(const ScoreSheet& scores, int round);

// The working category the host sets before a turn's first roll: 7 when no face is open, the
// face when exactly one is open, none (0) otherwise. `error` when no face is open and the
// Bramble is already scored; the category then stays 0.
struct AutoCategory {
    int category = 0;
    bool error = false;
};
AutoCategory autoWorkingCategory(const ScoreSheet& scores);

// Five of a kind in the working face category starts bonus mode.
bool isBonus(int category, const Dice& dice);
// Points one bonus roll adds to the working face category.
int bonusGain(int category, const Dice& dice);

// The winning seat first (ties go to the lowest seat), then every other seat with the same
// total in ascending order. All six seats take part.
std::vector<int> winners(const SeatTotals& totals);

} // namespace core
