// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The address the player types into the lobby: a host name or an IP address, optionally with
// a port ("play.example.org:7800", "10.0.0.5:7800", "[2001:db8::5]:7800"; a bare IPv6
// address has no port). The game gets the address and, when one was typed, "--port N".

#include <optional>
#include <string>
#include <string_view>

namespace lobby {

inline constexpr const char* kBadAddress =
    "That address is not valid: type a name or an IP address, optionally followed by :PORT "
    "(an IPv6 address with a port in brackets, [ADDRESS]:PORT).";

struct GameAddress {
    std::string host;
    int port = 0; // 0 when none was typed (the game's own port)

    bool operator==(const GameAddress&) const = default;
};

std::optional<GameAddress> parseGameAddress(std::string_view text);

} // namespace lobby
