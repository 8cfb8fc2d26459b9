// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/computerseat.h"

#include "host/enginefixture.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

Dice dice(int a, int b, int c, int d, int e) {
    return Dice{0, a, b, c, d, e};
}

ScoreSheet openOnly(std::initializer_list<int> open) {
    ScoreSheet s;
    s.fill(0);
    s[0] = -1;
    for (int c : open)
        s[static_cast<std::size_t>(c)] = -1;
    return s;
}

TEST(ComputerPlayer, ChoosesTheOpenFaceWithMostDice) {
    struct Case {
        ScoreSheet s;
        Dice d;
        int expected;
    } cases[] = {
        {openOnly({2, 5, 6}), dice(2, 2, 5, 5, 1), 2}, // tie goes to the lower face
        {openOnly({3, 6}), dice(1, 1, 2, 4, 4), 3},    // nobody shows an open face
        {openOnly({1, 4, 6, 7}), dice(6, 6, 6, 4, 4), 6},
        {openOnly({7}), dice(1, 1, 1, 1, 1), 7},
        {openOnly({1, 2, 3, 4, 5, 6, 7}), dice(5, 5, 3, 3, 3), 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseWorkingCategory(c.s, c.d), c.expected);
}

TEST(ComputerPlayer, KeepRules) {
    struct Case {
        int cat;
        Dice d;
        std::vector<int> roll;
    } cases[] = {
        {7, dice(1, 6, 3, 3, 5), {2, 4}},          {7, dice(2, 3, 4, 5, 6), {}},
        {7, dice(6, 6, 6, 1, 2), {2, 3, 4}},       {7, dice(4, 4, 4, 4, 4), {2, 3, 4, 5}},
        {4, dice(4, 1, 4, 2, 6), {2, 4, 5}},       {4, dice(4, 4, 4, 4, 4), {}},
        {1, dice(2, 3, 4, 5, 6), {1, 2, 3, 4, 5}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(diceToReroll(c.cat, c.d), c.roll) << c.cat;
}

// The move as the request a client would send: "2+1+2+3+4+5", "2+4+", "2+0".
std::string request(const HostState& state, int seat) {
    const ComputerDecision move = computerDecision(state, seat);
    std::string text = std::to_string(seat);
    if (move.kind == ComputerDecision::Kind::SelectCategory)
        return text + '+' + std::to_string(move.category) + '+';
    if (move.kind == ComputerDecision::Kind::None) return {};
    for (int d : move.dice)
        text += '+' + std::to_string(d);
    return text;
}

TEST(ComputerPlayer, MovesOnlyForAnActiveSeatNobodyPresentPlays) {
    enginetest::RecordingPort port;
    HostState state(port);
    state.turn.currentseat = 2;
    auto& s = state.slot(2);
    s.turnactive = true;
    EXPECT_EQ(request(state, 2), "2+1+2+3+4+5");
    EXPECT_EQ(request(state, 3), "");

    s.rolls = 1;
    state.turn.dice = dice(4, 4, 1, 1, 3);
    EXPECT_EQ(request(state, 2), "2+1+");
    s.workingcat = 4;
    EXPECT_EQ(request(state, 2), "2+3+4+5");
    state.turn.dice = dice(4, 4, 4, 4, 4);
    EXPECT_EQ(request(state, 2), "2+0");

    s.connected = true; // a connection that has not logged in yet plays nothing
    EXPECT_EQ(request(state, 2), "2+0");
    s.loggedin = true; // a present human
    EXPECT_EQ(request(state, 2), "");
    s.justwatch = true; // ...who just watches
    EXPECT_EQ(computerDecision(state, 2).kind, ComputerDecision::Kind::Roll);
    s.turnactive = false;
    EXPECT_EQ(request(state, 2), "");
}

} // namespace
