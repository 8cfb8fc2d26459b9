// SPDX-License-Identifier: GPL-3.0-or-later
// The Hint's texts, the cost of the player's decisions and the review line at the end of a game.
#include "client/coach.h"
#include "client/fakeclientport.h"
#include "client/tableclient.h"

#include <gtest/gtest.h>

using core::Coach;
using core::Dice;
using core::ScoreSheet;
using core::TurnPosition;

namespace {

ScoreSheet openOnly(std::initializer_list<int> open) {
    ScoreSheet s;
    s.fill(0);
    for (int c : open)
        s[static_cast<std::size_t>(c)] = -1;
    return s;
}

} // namespace

TEST(Coach, HintTexts) {
    struct Case {
        TurnPosition p;
        int limit;
        std::string text;
        std::vector<int> hold;
    } cases[] = {
        // Fours alone with a roll left: two 4s plus three dice that each become a 4 with
        // chance 1/5, and a tiny share of a bonus.
        {{openOnly({4}), 2, Dice{0, 4, 1, 4, 2, 3}, 4},
         1,
         "Keep the two 4s — 10.4 more points expected this game (moving as the Classic computer "
         "player would: 10.4).",
         {1, 3}},
        // The Bramble alone: a re-rolled 1 can make 2-3-4-5-6 (20), a re-rolled 6 only
        // 1-2-3-4-5 (15).
        {{openOnly({7}), 2, Dice{0, 1, 2, 3, 4, 6}, 7},
         1,
         "Keep the 2, the 3, the 4 and the 6 — 4.0 more points expected this game (moving as the "
         "Classic computer player would: 3.0).",
         {2, 3, 4, 5}},
        // No category yet: one has to be named before the third roll.
        {{openOnly({5, 6}), 2, Dice{0, 6, 5, 6, 1, 6}, 0},
         2,
         "Choose Sixes and keep the three 6s — 32.5 more points expected this game (moving as "
         "the Classic computer player would: 32.5).",
         {1, 3, 5}},
        {{openOnly({1, 2, 3, 4, 5, 6, 7}), 1, Dice{0, 3, 3, 1, 6, 5}, 0},
         2,
         "Choose Threes and keep the two 3s — 73.7 more points expected this game (moving as "
         "the Classic computer player would: 73.7).",
         {1, 2}},
        {{openOnly({2, 7}), 0, Dice{}, 0},
         0,
         "Roll all five dice — 12.1 more points expected this game.",
         {}},
    };
    for (const auto& c : cases) {
        auto hint = Coach::hint(c.p, c.limit);
        ASSERT_TRUE(hint);
        EXPECT_EQ(hint->text, c.text);
        EXPECT_EQ(hint->hold, c.hold);
    }
    EXPECT_FALSE(Coach::hint({openOnly({4}), 3, Dice{0, 4, 4, 4, 4, 4}, 4}, 1));
    // Measured against the Expert where that is the table's computer player.
    EXPECT_EQ(
        Coach::hint({openOnly({7}), 2, Dice{0, 1, 2, 3, 4, 6}, 7}, 1, core::ComputerStyle::Expert)
            ->text,
        "Keep the 2, the 3, the 4 and the 6 — 4.0 more points expected this game (moving "
        "as the Expert computer player would: 4.0).");
}

TEST(Coach, DecisionsCostTheirShortfall) {
    Coach coach;
    const TurnPosition fours{openOnly({4}), 2, Dice{0, 4, 1, 4, 2, 3}, 4};
    coach.rolled(fours, {2, 4, 5}, 1); // the best keep costs nothing
    EXPECT_TRUE(coach.judgedAny());
    EXPECT_NEAR(coach.cost(), 0, 1e-9);
    coach.rolled(fours, {4, 5}, 1); // keeping the 1 wastes a die's 1/5 chance at a 4 and the bonus
    EXPECT_NEAR(coach.cost(), 4 * 0.2 + core::Solver::bonusExpectation(4, 1) / 125, 1e-9);
    EXPECT_EQ(Coach::reviewLine(8.44), "Your choices cost 8.4 expected points this game.");
    EXPECT_EQ(Coach::reviewLine(-1e-12), "Your choices cost 0.0 expected points this game.");
    coach.newGame();
    EXPECT_FALSE(coach.judgedAny());
}

TEST(Coach, ReviewLineAfterTheWinner) {
    test::FakeClientPort port;
    core::TableClient client(port, 7);
    client.processparams({"Me", "10.0.0.5", "x"});
    client.handleMessage("CMD_sendlogininfo+3");
    client.handleMessage("CMD_newplayerinfo+3+Me+0");
    client.handleMessage("CMD_startgame+Ann+1+");
    client.handleMessage("CMD_nextplayer+3+1+1+2+3+4+5+6");
    client.handleMessage("CMD_createdice+3+1+1+4+2+4+3+4+4+1+5+2");
    // Rolling all five again throws away three 4s.
    client.handleMessage("CMD_createdice+3+2+1+5+2+5+3+1+4+2+5+3");
    port.clear();
    client.handleMessage("CMD_winner+1+0");
    auto lines = port.with("chat:0+Your choices cost");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0], "chat:0+Your choices cost 0.0 expected points this game.");

    port.clear();
    client.handleMessage("CMD_startgame+Ann+1+");
    client.handleMessage("CMD_winner+1+0");
    EXPECT_TRUE(port.with("chat:0+Your choices").empty()); // nothing decided, nothing said
}
