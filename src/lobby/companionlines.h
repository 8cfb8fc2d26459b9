// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a hosting copy tells the lobby that started it, over the companion connection the
// game keeps to the lobby (127.0.0.1, core::kCompanionPort): one line per change of its
// table, ending in '\n'. Anything else listening there, and older lobbies, never read them;
// our lobby reads only the lines it knows and drops the connection's input past a bound.
//
//   table <attributes of lobby/lobbytable.h, each key=value, separated by tabs>\n
//   reach <1 or 0>\t<external address or empty>\t<why not, a sentence, or empty>\n
//
// The hosting copy writes a "reach" line once its port mapping has an outcome and a "table"
// line whenever its seats or its game change; the lobby publishes the latest of each.

#include "lobby/lobbytable.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lobby {

inline constexpr std::size_t kMaxCompanionLine = 1024; // bytes, the '\n' included

// What the host says when its router did not forward the port; the lobby shows it to the
// hosting player and does not list the table publicly.
inline constexpr const char* kNotForwarded =
    "Your router did not forward the port: players outside cannot reach you.";

struct ReachLine {
    bool reachable = false;
    std::string externalAddress;
    std::string why;

    bool operator==(const ReachLine&) const = default;
};

using CompanionLine = std::variant<LobbyTable, ReachLine>;

std::string tableLine(const LobbyTable& table);
std::string reachLine(const ReachLine& reach);

// Reads one line (without its '\n'); nullopt for a line of another kind or a malformed one.
std::optional<CompanionLine> readCompanionLine(std::string_view line);

// Cuts a byte stream into lines. A line longer than kMaxCompanionLine poisons the stream:
// everything after it is dropped (the lobby then closes the connection).
class CompanionReader {
public:
    // Appends bytes; returns the complete lines read so far, in order.
    std::vector<CompanionLine> feed(std::string_view bytes);
    bool poisoned() const { return m_poisoned; }

private:
    std::string m_pending;
    bool m_poisoned = false;
};

} // namespace lobby
