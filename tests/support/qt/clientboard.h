// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board as a client draws it from the host's broadcasts, and what a client joining at this
// moment should be told about it. Tests compare the host's catch-up messages against it.

#include <array>
#include <string>
#include <vector>

namespace testsupport {

// A message's fields, split at every "+" (the command word first).
std::vector<std::string> fieldsOf(const std::string& message);

struct ClientBoard {
    std::array<std::array<int, 9>, 7> rows{}; // [seat][category 1..7, 8 = total]
    int currentSeat = 0, round = 0, rolls = 0, workingcat = 0, bonusLimit = 0;
    std::array<int, 6> dice{};
    std::vector<int> open; // categories offered at the start of the current turn

    ClientBoard();
    // Applies one broadcast; other messages leave the board as it is.
    void apply(const std::string& message);
    // "CMD_loadstats" and "CMD_loadscores" for a client joining now into `slot`.
    std::string loadstats(int slot) const;
    std::string loadscores(int slot, int seatsInGame) const;
    // The score in a seat's category, or -1 while open.
    int score(int seat, int category) const;

private:
    void setDice(const std::vector<std::string>& f, std::size_t from);
};

} // namespace testsupport
