// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a hosting copy tells the local network about its table: the DNS-SD service type and
// the TXT record fields, built here and read back by the lobby. Every field is "key=value";
// a record may carry keys this copy does not know (ignored) and lack keys it knows (left at
// their defaults), so tables announced by other versions still list.

#include <optional>
#include <string>
#include <vector>

namespace core {

inline constexpr const char* kTableServiceType = "_bramblies._tcp";

struct TableAnnouncement {
    std::string host;   // the hosting player's name (empty while nobody holds slot 1)
    int seated = 0;     // players in seats 1..6
    int spectators = 0; // players in slots 7..9
    int freeSeats = 0;  // seats nobody is connected to
    bool running = false;
    std::string version; // the host's version text

    bool operator==(const TableAnnouncement&) const = default;
};

// The TXT strings, each at most 255 bytes (a longer name is cut at a character boundary).
std::vector<std::string> toTxt(const TableAnnouncement& table);

// Reads TXT strings back. Counts that are not small non-negative numbers are refused
// (nullopt): such a record is not one of ours.
std::optional<TableAnnouncement> parseTxt(const std::vector<std::string>& txt);

} // namespace core
