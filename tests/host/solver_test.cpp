// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/solver.h"

#include "game/computerplayer.h"
#include "game/diceset.h"
#include "host/selfplay.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace core;

namespace {

ScoreSheet openOnly(std::initializer_list<int> open) {
    ScoreSheet s;
    s.fill(0);
    for (int c : open)
        s[static_cast<std::size_t>(c)] = -1;
    return s;
}

TurnPosition position(std::initializer_list<int> open, int rolls, Dice dice, int workingcat) {
    return {openOnly(open), rolls, dice, workingcat};
}

int keepOf(std::initializer_list<int> faces) {
    DiceSets::Counts c{};
    for (int f : faces)
        ++c[static_cast<std::size_t>(f)];
    return DiceSets::instance().index(c);
}

const Solver& limit1() {
    return *Solver::forLimit(1); // kept for the program's life
}

} // namespace

TEST(Solver, BonusExpectationPerLimit) {
    const double q = 1 - std::pow(5.0 / 6, 5); // a bonus roll shows the face at least once
    struct Case {
        int limit;
        double perFace; // expected bonus points per unit of face value
    } cases[] = {
        {1, 5.0 / 6},
        {2, 5.0 / 6 * (1 + q)},
        {5, 5.0 / 6 * (1 + q + q * q + q * q * q + q * q * q * q)},
        {0, std::pow(6.0 / 5, 4)},
    };
    for (const auto& c : cases)
        for (int face : {1, 6})
            EXPECT_NEAR(Solver::bonusExpectation(face, c.limit), face * c.perFace, 1e-12)
                << "limit " << c.limit;
}

TEST(Solver, LastRollWithOneCategoryLeft) {
    // Fours alone, two 4s kept: each of the other three dice turns into a 4 with chance 1/5
    // (never into the face it showed); three hits make five 4s and a bonus run.
    const double bonus = Solver::bonusExpectation(4, 1);
    auto p = position({4}, 2, Dice{0, 4, 1, 4, 2, 3}, 4);
    SolverDecision best = limit1().best(p);
    EXPECT_EQ(best.reroll, (std::vector<int>{2, 4, 5}));
    EXPECT_NEAR(best.value, 4 * (2 + 3 * 0.2) + bonus / 125, 1e-9);
    EXPECT_NEAR(limit1().value(p), best.value, 1e-12);
    // Keeping a 1 as well costs one die's chance.
    EXPECT_NEAR(limit1().keepValue(p, keepOf({4, 4, 1})), 4 * (2 + 2 * 0.2), 1e-9);

    // The Bramble alone: from 1-2-3-4-6 rolling the 1 again hits 5 (20 points) as often as
    // rolling the 6 does (15 points).
    auto straight = position({7}, 2, Dice{0, 1, 2, 3, 4, 6}, 7);
    best = limit1().best(straight);
    EXPECT_EQ(best.reroll, std::vector<int>{1});
    EXPECT_NEAR(best.value, 20 * 0.2, 1e-12);
    EXPECT_NEAR(limit1().keepValue(straight, keepOf({1, 2, 3, 4})), 15 * 0.2, 1e-12);
    // A straight in hand is kept: the remaining rolls name no die.
    best = limit1().best(position({7}, 1, Dice{0, 5, 3, 4, 2, 6}, 7));
    EXPECT_TRUE(best.reroll.empty());
    EXPECT_NEAR(best.value, 20, 1e-12);
}

TEST(Solver, FirstRollStraightScoresAtOnce) {
    // Only the Bramble left: the start is worth the first roll's straights at sum + 20, and
    // every other first roll at what the two rolls after it make of it.
    const Solver& s = limit1();
    double expected = 0;
    const DiceSets& ds = DiceSets::instance();
    for (int h = 0; h < DiceSets::kHandCount; ++h) {
        Dice d{};
        int die = 1;
        for (int f = 1; f <= 6; ++f)
            for (int k = 0; k < ds.counts(ds.handSet(h))[static_cast<std::size_t>(f)]; ++k)
                d[static_cast<std::size_t>(die++)] = f;
        double v = isStraight(d) ? diceSum(d) + 20 : s.value({openOnly({7}), 1, d, 7});
        expected += ds.handChance(h) * v;
    }
    EXPECT_NEAR(s.startValue(Solver::openMask(openOnly({7}))), expected, 1e-9);
    EXPECT_GT(expected, 240.0 / 7776 * 35);
}

TEST(Solver, NoClassicDecisionBeatsTheBest) {
    const Solver& s = *Solver::forLimit(2);
    const DiceSets& ds = DiceSets::instance();
    const std::initializer_list<int> sheets[] = {
        {1, 2, 3, 4, 5, 6, 7}, {2, 5, 6}, {3, 7}, {1, 6}, {7}};
    for (const auto& open : sheets)
        for (int h = 0; h < DiceSets::kHandCount; h += 3) {
            Dice d{};
            int die = 1;
            for (int f = 1; f <= 6; ++f)
                for (int k = 0; k < ds.counts(ds.handSet(h))[static_cast<std::size_t>(f)]; ++k)
                    d[static_cast<std::size_t>(die++)] = f;
            ScoreSheet sheet = openOnly(open);
            for (int rolls : {1, 2})
                for (int wc : open) {
                    TurnPosition p{sheet, rolls, d, wc};
                    const double best = s.value(p);
                    SolverDecision mine = s.best(p);
                    EXPECT_NEAR(s.keepValue(p, mine.keep), best, 1e-9);
                    // The classic player keeps the dice of its aim.
                    auto roll = diceToReroll(wc, d);
                    DiceSets::Counts kept{};
                    for (int k = 1; k <= 5; ++k)
                        if (std::find(roll.begin(), roll.end(), k) == roll.end())
                            ++kept[static_cast<std::size_t>(d[static_cast<std::size_t>(k)])];
                    EXPECT_LE(s.keepValue(p, ds.index(kept)), best + 1e-9);
                }
            // No category yet: the classic player names one after the first roll.
            if (std::size(open) > 2) {
                TurnPosition p{sheet, 1, d, 0};
                EXPECT_LE(s.chooseValue(p, chooseWorkingCategory(sheet, d)), s.value(p) + 1e-9);
            }
        }
}

TEST(Solver, ExpertGamesAverageTheStartValue) {
    // 100,000 games of two expert seats are 200,000 seat games.
    const int limit = 2;
    const double exact = Solver::forLimit(limit)->startValue(0x7F);
    SelfPlay games(ComputerStyle::Expert, limit, 20261207);
    double sum = 0, squares = 0;
    const int n = 100'000;
    for (int i = 0; i < n; ++i) {
        SelfPlayResult r = games.play();
        for (double t : {double(r.seat1), double(r.seat2)}) {
            sum += t;
            squares += t * t;
        }
    }
    const double count = 2.0 * n;
    const double mean = sum / count;
    const double error = std::sqrt((squares / count - mean * mean) / count);
    EXPECT_NEAR(mean, exact, 3 * error) << "exact " << exact << " simulated " << mean;
}

TEST(Solver, LimitsOutsideTheOptionsTakeTheNearestOfferedTables) {
    // A peer may name any limit; each would be a 30 ms build and about 3 MB of tables.
    for (int limit : kOfferedBonusLimits)
        EXPECT_EQ(Solver::forLimit(limit)->bonusLimit(), limit);
    const int before = Solver::instances();
    for (int limit : {3, 4, 6})
        EXPECT_EQ(Solver::forLimit(limit), Solver::forLimit(5));
    for (int limit : {-4, 7, 8, 1000, 2147483647})
        EXPECT_EQ(Solver::forLimit(limit), Solver::forLimit(0));
    EXPECT_EQ(Solver::forLimit(2)->bonusLimit(), 2);
    EXPECT_EQ(Solver::instances(), before);
}
