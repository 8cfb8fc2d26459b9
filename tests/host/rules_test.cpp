// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rules.h"

#include "host/enginefixture.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

Dice dice(int a, int b, int c, int d, int e) {
    return Dice{0, a, b, c, d, e};
}

ScoreSheet sheet(std::initializer_list<std::pair<int, int>> scored) {
    ScoreSheet s;
    s.fill(-1);
    for (auto [c, v] : scored)
        s[static_cast<std::size_t>(c)] = v;
    return s;
}

TEST(Rules, StraightsAndCategoryScores) {
    struct Case {
        Dice d;
        bool straight;
        int bramble; // category 7 at the third roll
        int firstRoll;
    } cases[] = {
        {dice(2, 3, 4, 5, 6), true, 20, 40}, {dice(1, 2, 3, 4, 5), true, 15, 35},
        {dice(3, 1, 4, 5, 2), true, 15, 35}, {dice(6, 5, 4, 3, 2), true, 20, 40},
        {dice(1, 1, 2, 3, 4), false, 0, 31}, {dice(1, 2, 3, 4, 6), false, 0, 36},
        {dice(1, 3, 4, 5, 6), false, 0, 39}, {dice(0, 0, 0, 0, 0), false, 0, 20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isStraight(c.d), c.straight) << diceSum(c.d);
        EXPECT_EQ(finalBrambleScore(c.d), c.bramble);
        if (c.straight) {
            EXPECT_EQ(firstRollBrambleScore(c.d), c.firstRoll);
        }
    }
    EXPECT_EQ(faceScore(dice(4, 4, 2, 4, 6), 4), 12);
    EXPECT_EQ(faceScore(dice(4, 4, 2, 4, 6), 5), 0);
    EXPECT_EQ(faceScore(dice(3, 3, 3, 3, 3), 3), 15);
    EXPECT_TRUE(isBonus(3, dice(3, 3, 3, 3, 3)));
    EXPECT_FALSE(isBonus(3, dice(3, 3, 3, 3, 1)));
    EXPECT_EQ(bonusGain(3, dice(3, 1, 3, 6, 2)), 6);
    EXPECT_EQ(bonusGain(3, dice(1, 1, 2, 6, 2)), 0);
}

TEST(Rules, OpenCategoriesAndAutomaticChoice) {
    EXPECT_EQ(openCategories(sheet({}), 1), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(openCategories(sheet({}), 7), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(openCategories(sheet({{2, 0}, {5, 10}}), 3), (std::vector<int>{1, 3, 4, 6}));
    EXPECT_EQ(openCategories(sheet({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}), 6),
              std::vector<int>{});
    EXPECT_EQ(openCategories(sheet({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}), 7),
              std::vector<int>{7});
    EXPECT_EQ(openCategories(sheet({{1, 1}, {7, 35}}), 7), (std::vector<int>{2, 3, 4, 5, 6}));

    struct Case {
        ScoreSheet s;
        int category;
        bool error;
    } cases[] = {
        {sheet({}), 0, false},
        {sheet({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {6, 6}}), 5, false},
        {sheet({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 0}, {6, 6}}), 7, false},
        {sheet({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 0}, {6, 6}, {7, 0}}), 0, true},
        {sheet({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {7, 40}}), 0, false},
    };
    for (const auto& c : cases) {
        auto a = autoWorkingCategory(c.s);
        EXPECT_EQ(a.category, c.category);
        EXPECT_EQ(a.error, c.error);
    }
}

TEST(Rules, WinnerAndTies) {
    struct Case {
        SeatTotals totals;
        std::vector<int> result;
    } cases[] = {
        {{0, 30, 45, 45, 0, 0, 0}, {2, 3}},
        {{0, 0, 0, 0, 0, 0, 0}, {1, 2, 3, 4, 5, 6}},
        {{0, 10, 5, 0, 0, 0, 10}, {1, 6}},
        {{0, 10, 50, 0, 0, 51, 0}, {5}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(winners(c.totals), c.result);
}

TEST(Rules, ReRolledDieNeverKeepsItsFace) {
    enginetest::ScriptedRandom random;
    random.push({6, 6, 6, 3});
    EXPECT_EQ(rerollFace(6, random), 3);
    EXPECT_EQ(random.drawn, 4);
    random.push({4});
    EXPECT_EQ(rerollFace(0, random), 4); // a die not rolled yet takes any face

    SeededRandom seeded(42);
    std::array<int, 7> seen{};
    for (int i = 0; i < 6000; ++i) {
        int f = rerollFace(6, seeded);
        ASSERT_GE(f, 1);
        ASSERT_LE(f, 5);
        ++seen[static_cast<std::size_t>(f)];
    }
    for (int f = 1; f <= 5; ++f)
        EXPECT_GT(seen[static_cast<std::size_t>(f)], 1000) << f;
}

} // namespace
