// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole games between computer seats on a real turn engine, with nobody connected and no
// clock: the countdown is ticked until the winner is announced. Used to measure the computer
// players.

#include "game/computerstyle.h"

#include <cstdint>
#include <memory>

namespace core {

struct SelfPlayResult {
    int seat1 = 0; // final totals
    int seat2 = 0;
};

class SelfPlay {
public:
    SelfPlay(ComputerStyle style, int bonusLimit, std::uint64_t seed);
    ~SelfPlay();
    SelfPlay(const SelfPlay&) = delete;
    SelfPlay& operator=(const SelfPlay&) = delete;

    // One game of seats 1 and 2, both played by the computer.
    SelfPlayResult play();

private:
    struct Table;
    std::unique_ptr<Table> m_table;
};

} // namespace core
