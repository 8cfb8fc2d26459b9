// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the records of the message catalogue are made of: the field types several messages
// share, and the rows of a side's dispatch table, which the compiler checks against the words
// of that side's direction.
//
// Every message has one record in tohost.h or toclient.h: its command word, its fields, the
// builder that writes it and the reader that takes its payload (the text after the command
// word's "+") apart again. Builders return the text without the terminator; the transport
// frames it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core::msg {

// One row of a side's dispatch table: a command word and its handler. The rows are compared
// in table order, exactly and case-sensitively.
template <typename Handler> struct Route {
    std::string_view command;
    Handler handler;
};

// The handler of a command word; nullptr when the table has no row for it.
template <typename Handler, std::size_t N>
constexpr const Handler* findHandler(const std::array<Route<Handler>, N>& table,
                                     std::string_view command) {
    for (const auto& route : table)
        if (route.command == command) return &route.handler;
    return nullptr;
}

// True when the table has exactly one row for each of the direction's words and no other row.
template <typename Handler, std::size_t N, std::size_t M>
constexpr bool coversExactly(const std::array<Route<Handler>, N>& table,
                             const std::array<std::string_view, M>& words) {
    if (N != M) return false;
    for (auto word : words) {
        int rows = 0;
        for (const auto& route : table)
            if (route.command == word) ++rows;
        if (rows != 1) return false;
    }
    return true;
}

// The words of a list of records, in the order given.
template <typename... Record> constexpr std::array<std::string_view, sizeof...(Record)> wordsOf() {
    return {Record::word...};
}

// The mode field of "CMD_justwatch" and "CMD_justwatching".
inline constexpr int kJustWatchOn = 1;
inline constexpr int kJustWatchOff = 2;

// The faces of dice 1..5 (index 0 unused), as the host keeps them; 0 = not rolled yet.
using Faces = std::array<int, 6>;

struct DieFace {
    int die = 0;
    int face = 0;
    bool operator==(const DieFace&) const = default;
};

// One player in "CMD_newplayerinfo" / "CMD_existingplayers".
struct PlayerEntry {
    int slot = 0;
    std::string name;
    bool watching = false;
    bool operator==(const PlayerEntry&) const = default;
};

// One seat's entry in "CMD_loadscores" as the host writes it: in-game flag and rows 1..8
// (8 = running total).
struct SeatScores {
    int seat = 0;
    bool ingame = false;
    std::array<int, 9> rows{}; // index 1..8; -1 = not yet scored
};

// Sealed dice: binary values travel as lower-case hexadecimal.
using SealBytes32 = std::array<std::uint8_t, 32>;
using SealBytes16 = std::array<std::uint8_t, 16>;

struct SealPart {
    int slot = 0;
    SealBytes16 bytes{};
    bool operator==(const SealPart&) const = default;
};

// The client reads what the host sends tolerantly: a fixed field that does not convert is
// nullopt and the fields after it are still read; a repeated part keeps its entries up to the
// first bad one. A number the board shows as it came ("Round: 3", a score cell) is kept with
// its text.
struct ShownNumber {
    int value = 0;
    std::string text; // as sent
};
using OptInt = std::optional<int>;
using OptShown = std::optional<ShownNumber>;

struct DiceTail {
    std::vector<DieFace> dice; // every pair as sent, placeholder pairs (0, 0) included
    bool complete = true;      // false: the pairs stopped at a bad one
};

} // namespace core::msg
