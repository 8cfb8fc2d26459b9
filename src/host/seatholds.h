// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seats kept for players whose connection dropped during a game. Each seated player of the
// running game whose copy can come back holds a token for its seat; when its connection closes
// the seat is held for that token until a deadline: new connections get other slots, and a
// connection that shows the token gets the seat back. Tokens name one seat of one game: a new
// game, the end of the game and a reclaim make the old ones worthless.
//
// Per seat: no token -> token issued (seated, game running) -> held (connection closed)
//           -> token issued again (reclaimed) or no token (deadline passed, game over).

#include "game/counts.h"
#include "host/seattoken.h"
#include "net/protocol.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace core {

class SeatHolds {
public:
    // A new token for a seat, replacing its old one; nothing when the system gave no
    // randomness (the seat is then not held).
    std::optional<SeatToken> issue(int seat);
    bool hasToken(int seat) const { return valid(seat) && at(seat).token.has_value(); }

    // Holds a seat that has a token until deadlineMs for the player `name`, who was just
    // watching or not. False when the seat has no token.
    bool hold(int seat, std::string name, std::int64_t deadlineMs, bool watching = false);
    bool held(int seat) const { return valid(seat) && at(seat).held; }
    const std::string& heldName(int seat) const { return at(seat).name; }

    // The seat's token is void (its connection closed without a hold, or was removed).
    void revoke(int seat);

    struct Ended {
        int seat;
        std::string name;
        bool watching = false;
    };
    // The held seat whose token this is, with its player's name, found in constant time per
    // seat; the hold and the token end with it (a token is good for one return).
    std::optional<Ended> reclaim(const SeatToken& token);

    // Ends the holds whose deadline has passed; returns their seats and names.
    std::vector<Ended> expire(std::int64_t nowMs);
    // The earliest deadline of a held seat.
    std::optional<std::int64_t> nextDeadline() const;

    // The game is over or starts again: every token and hold ends; returns the seats that were
    // held, with their names.
    std::vector<Ended> clear();

private:
    struct Seat {
        std::optional<SeatToken> token;
        bool held = false;
        std::string name;
        bool watching = false;
        std::int64_t deadlineMs = 0;
    };
    static bool valid(int seat) { return seat >= 1 && seat <= kSeatCount; }
    Seat& at(int seat) { return m_seats[static_cast<std::size_t>(seat)]; }
    const Seat& at(int seat) const { return m_seats[static_cast<std::size_t>(seat)]; }

    std::array<Seat, kSeatCount + 1> m_seats{}; // index 1..6
};

} // namespace core
