// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers shared by the table client's message handlers: range checks for the numbers
// the host sends, and drawing the die/face pairs that close most game messages.

#include "client/boardmodel.h"
#include "net/messages.h"

#include <string>
#include <string_view>
#include <vector>

namespace core {

// The host numbers its connections 1 to 9; slots above the seats are spectators.
inline constexpr int kLastSlot = kMaxSlot;

// The status line while the local player is on turn.
inline constexpr const char* kYourTurn = "Your Turn";
// ... and after the seat's name while another seat is.
inline constexpr const char* kSomeonesTurn = "'s turn";

inline bool isSeat(int n) {
    return n >= 1 && n <= kSeatCount;
}
inline bool isCategory(int n) {
    return n >= 1 && n <= kCategoryCount;
}
inline bool isDie(int n) {
    return n >= 1 && n <= kDiceCount;
}

inline std::string str(std::string_view s) {
    return std::string(s);
}

// Hands each die/face pair that names a die to apply (the placeholder pair 0, 0 names none).
template <typename Apply> void forEachDie(const std::vector<msg::DieFace>& dice, Apply apply) {
    for (const auto& [die, face] : dice)
        if (isDie(die)) apply(die, face);
}

// Draws each die the pairs name at rest with the given body.
inline void drawRolledDice(BoardModel& board, const std::vector<msg::DieFace>& dice, DieBody body) {
    forEachDie(dice, [&](int die, int face) {
        DieState& d = board.die(die);
        d.face = face;
        d.held = false;
        d.top = kDieRestTop;
        board.drawDie(die, body);
    });
}

} // namespace core
