// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A seat token: 128 bits from the operating system's random source that name one seat of one
// game on this host. The seated player's copy keeps it and shows it to come back after a drop.
// On the wire it is 32 lower-case hexadecimal digits. Tokens are compared in constant time and
// never written to a log.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

using SeatToken = std::array<std::uint8_t, 16>;

// A fresh token from the system's random source (the same one as the sealed dice).
// Nothing when it gives no bytes: a guessable token would hand the seat to anybody.
std::optional<SeatToken> newSeatToken();

std::string seatTokenText(const SeatToken& token);
// Exactly 32 hexadecimal digits (either case); anything else is no token.
std::optional<SeatToken> parseSeatToken(std::string_view text);

// Equal tokens, in a time that does not depend on where they differ.
bool sameSeatToken(const SeatToken& a, const SeatToken& b);

} // namespace core
