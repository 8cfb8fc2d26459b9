#pragma once
// One entry of the host's slot table. Slots 1..6 are seats, 7..9 spectators; slot 10 exists
// only to park a refused tenth connection for the moment of refusal.

#include <array>
#include <string>

namespace core {

inline constexpr int kSeatCount = 6;     // `seatcount`
inline constexpr int kMaxSlot = 9;       // highest usable slot
inline constexpr int kCategoryCount = 7; // faces 1..6 and the Bramble (7)
inline constexpr int kDiceCount = 5;
inline constexpr int kRounds = 7;
inline constexpr const char* kVersionText = "1.0.2";

struct PlayerSlot {
    std::string name;       // empty while free
    bool connected = false; // decides whether the slot receives broadcasts
    int total = 0;
    bool justwatch = false;
    bool ingame = false;
    int rolls = 0;
    std::array<int, kCategoryCount + 1> scores{}; // index 1..7; -1 = not yet scored
    int workingcat = 0;                           // 0 = none
    bool turnactive = false;

    PlayerSlot() { scores.fill(-1); }
    int score(int category) const { return scores[static_cast<std::size_t>(category)]; }
};

} // namespace core
