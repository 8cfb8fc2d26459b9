// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The counts of the game and its table, each defined once: the host, every table and the
// stored files agree on them.

namespace core {

inline constexpr int kSeatCount = 6;     // slots 1..6 play
inline constexpr int kMaxSlot = 9;       // slots 7..9 watch
inline constexpr int kCategoryCount = 7; // faces 1..6 and the Bramble (7)
inline constexpr int kScoreRows = 8;     // the categories and the running total
inline constexpr int kDiceCount = 5;
inline constexpr int kRounds = 7;

// The bonus-roll limits the game options offer, in the order they are shown; 0 is unlimited.
inline constexpr int kOfferedBonusLimits[] = {1, 2, 5, 0};

} // namespace core
