#pragma once
// Small readers shared by the table client's message handlers: range checks for the numbers
// the host sends, and the die/face pairs that close most game messages.

#include "client/boardmodel.h"
#include "net/fields.h"

#include <string>
#include <string_view>

namespace core {

// The host numbers its connections 1 to 9; slots above the seats are spectators.
inline constexpr int kLastSlot = kMaxSlot;

// The status line while the local player is on turn.
inline constexpr const char* kYourTurn = "Your Turn";
// ... and after the seat's name while another seat is.
inline constexpr const char* kSomeonesTurn = "'s turn";

inline bool isSeat(int n) {
    return n >= 1 && n <= kSeats;
}
inline bool isCategory(int n) {
    return n >= 1 && n <= kCategories;
}
inline bool isDie(int n) {
    return n >= 1 && n <= kDice;
}

inline std::string str(std::string_view s) {
    return std::string(s);
}

// Reads die and face pairs to the end of the payload and hands each pair that names a die to
// apply (the placeholder pair 0, 0 names none). False when a field is not a number.
template <typename Apply> bool forEachDiePair(FieldReader& r, Apply apply) {
    while (!r.atEnd()) {
        auto die = r.nextInt();
        if (!die) return false;
        auto face = r.nextInt();
        if (!face) return false;
        if (isDie(*die)) apply(*die, *face);
    }
    return true;
}

// Draws each die the rest of the payload names at rest with the given body. False when a
// field is not a number.
inline bool drawRolledDice(BoardModel& board, FieldReader& r, DieBody body) {
    return forEachDiePair(r, [&](int die, int face) {
        DieState& d = board.die(die);
        d.face = face;
        d.held = false;
        d.top = kDieRestTop;
        board.drawDie(die, body);
    });
}

} // namespace core
