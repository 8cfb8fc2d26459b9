// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table as the internet lobby lists it. Whoever hosts a table puts it into its presence in
// the lobby room as an element of our own namespace; it goes when that presence goes, so the
// list cannot hold a table nobody hosts. Here are the element's name, its attributes written
// from a table and read back: every attribute is checked and bounded like the DNS-SD TXT
// fields, unknown attributes are ignored, and an element that fails a check is no table.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lobby {

// The element <table xmlns="..."/> in an occupant's presence. The version number in the
// namespace changes only when an attribute changes its meaning; new attributes do not.
inline constexpr const char* kTableElement = "table";
inline constexpr const char* kTableNamespace = "urn:x-bramblies:table:1";

// Bounds of the text fields, in bytes (longer texts are cut at a character boundary when
// written and refused when read).
inline constexpr std::size_t kMaxTableName = 64;
inline constexpr std::size_t kMaxTableAddress = 255; // a DNS name or an IP address
inline constexpr std::size_t kMaxTableVersion = 32;

struct LobbyTable {
    std::string host;       // the hosting player's name, or the dedicated host's name
    std::string address;    // where players connect: a DNS name, IPv4 or IPv6 address
    int port = 0;           // 1..65535
    int seated = 0;         // players in seats (0..6)
    int spectators = 0;     // 0..3
    int freeSeats = 0;      // 0..6
    bool running = false;   // a game is being played
    int round = 0;          // 1..7 while running, else 0
    int bonusLimit = 0;     // the bonus-roll limit the host chose (0: none)
    std::string version;    // the host's version text
    bool sealed = false;    // the dice are sealed
    bool reachable = false; // players outside the host's network can connect
    bool server = false;    // a dedicated host (not a player's own copy)

    bool operator==(const LobbyTable&) const = default;
};

using Attributes = std::vector<std::pair<std::string, std::string>>;

// A DNS name or an IPv4 or IPv6 address (no brackets, no scope), at most kMaxTableAddress.
bool isTableAddress(std::string_view text);
// Text fit for the lobby's lists: no control characters.
bool isPrintable(std::string_view text);

Attributes tableAttributes(const LobbyTable& table);

// Reads an element's attributes back; nullopt when one of ours is missing or out of bounds,
// or the counts contradict each other (more seated and free than seats).
std::optional<LobbyTable> readTable(const Attributes& attributes);

} // namespace lobby
