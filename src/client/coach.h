// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The coach: the solver's advice for the local player's turn (the Hint), and what the player's
// own decisions cost against the best play, summed over a game (the review line at its end).
//
// It judges the player by what the table window lets a player do: until a working category is
// chosen a further roll rolls all five dice, and one must be chosen before the third roll.

#include "game/computerstyle.h"
#include "game/solver.h"

#include <optional>
#include <string>
#include <vector>

namespace core {

class Coach {
public:
    struct Hint {
        std::string text;
        std::vector<int> hold; // die numbers to raise
    };

    // The best decision now, its value, and the value of moving as the computer player of
    // `style` would (the one the table uses, so the player can measure himself against it);
    // nothing outside rolls 0..2.
    static std::optional<Hint> hint(const TurnPosition& p, int bonusLimit,
                                    ComputerStyle style = ComputerStyle::Classic);
    // "Your choices cost 8.4 expected points this game."
    static std::string reviewLine(double cost);
    // The expected score still to come with the best play the table window allows.
    static double bestPlayable(const Solver& solver, const TurnPosition& p);

    // The decisions of a game, as the host announces them.
    void newGame();
    // A roll after the first: `rolled` names the dice rolled again (empty for none).
    void rolled(const TurnPosition& before, const std::vector<int>& rolled, int bonusLimit);
    // A working category chosen by the player (not by the host).
    void chose(const TurnPosition& before, int category, int bonusLimit);
    double cost() const { return m_cost; }
    bool judgedAny() const { return m_decisions > 0; }

private:
    double m_cost = 0;
    int m_decisions = 0;
};

} // namespace core
