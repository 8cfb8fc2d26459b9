// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exact solver: the best play for one seat, and the expected score of every decision.
//
// A seat's game is seven turns that each fill one category, and nothing another seat does
// changes what a seat can score, so the highest expected total is found by working backwards:
// first over the sets of open categories (the value of a turn start is the chance-weighted
// value of its first roll), then, within a turn, over the five dice after the second and after
// the first roll, for each working category or none. The rules are the host's: the first roll
// rolls all five; a first-roll straight scores at once while the Bramble is open; the host picks
// the working category when one face or none is open; a face category is chosen by the player
// only among the open faces (the Bramble only comes up in the last round, when the host has
// picked it already); a re-rolled die lands on one of its five other faces; five of the working
// face start bonus mode, whose expected gain depends on the game's bonus-roll limit.
//
// Tables are built once per bonus-roll limit, at first use, and kept for the program's life.

#include "game/rules.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace core {

// Where a seat's turn stands, as the host keeps it.
struct SolverDecision {
    int category = 0;        // when not 0: choose this working category first
    int keep = 0;            // the dice to keep, as a DiceSets set
    std::vector<int> reroll; // die numbers to roll, ascending; empty rolls none
    double value = 0;        // expected score still to come with best play from here
};

class Solver {
public:
    // The tables for a bonus-roll limit (0 unlimited), built on first use and kept for the
    // program's life. Only the limits the game options offer (kOfferedBonusLimits) get tables: any
    // other limit a peer names takes those of the nearest offered one (offeredLimit), so naming
    // limit after limit neither builds (~30 ms) nor keeps (~3 MB) table after table.
    static std::shared_ptr<const Solver> forLimit(int bonusLimit);
    // The offered limit (kOfferedBonusLimits) nearest by the share of an unlimited run of bonus
    // rolls the limit allows: 3 to 6 go to 5, 7 and more (within 3 % of no limit) to 0.
    static int offeredLimit(int bonusLimit);
    // Solvers alive in the program.
    static int instances();
    explicit Solver(int bonusLimit);
    ~Solver();
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    // Expected points bonus mode adds to a face category, for a limit (0 unlimited).
    static double bonusExpectation(int category, int bonusLimit);
    // Bit c-1 set for every open category c.
    static unsigned openMask(const ScoreSheet& scores);
    // The dice numbers (ascending) to roll so that the kept faces are `keep`.
    static std::vector<int> diceToRoll(const Dice& dice, int keep);
    static int handOf(const Dice& dice);

    int bonusLimit() const { return m_limit; }
    double buildSeconds() const { return m_buildSeconds; }
    std::size_t memoryBytes() const;

    // Expected score still to come at the start of a turn with these categories open.
    double startValue(unsigned open) const;
    // Expected score still to come from a position (rolls 0 to 2) with best play.
    double value(const TurnPosition& p) const;
    // The best move after the first or second roll. Without a working category it keeps dice
    // without choosing after the first roll, and names the category to choose after the second.
    SolverDecision best(const TurnPosition& p) const;

    // The expected score still to come after one particular decision, with best play after it:
    // rolling all but `keep` (after the first roll, or after the second with a working
    // category), or choosing `category` as the working category (any time before the third
    // roll while none is set).
    double keepValue(const TurnPosition& p, int keep) const;
    double chooseValue(const TurnPosition& p, int category) const;

private:
    struct TurnTables {
        // Indexed by working category (0 for none), then by hand: values after the second
        // (w2) and the first (w1) roll, and the dice best kept there.
        std::array<std::vector<double>, 8> w1, w2;
        std::array<std::vector<std::uint16_t>, 8> k1, k2;
    };

    void build();
    void buildTurn(unsigned open);
    double finalValue(unsigned open, int category, int hand) const;
    const std::vector<double>& afterSecond(unsigned open, int workingcat) const;
    double firstRollValue(unsigned open, int workingcat) const;

    int m_limit;
    double m_buildSeconds = 0;
    std::array<double, 128> m_start{};
    std::array<TurnTables, 128> m_turns;
};

} // namespace core
