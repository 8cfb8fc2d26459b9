// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/fields.h"
#include "net/toclient.h"

#include <gtest/gtest.h>

using namespace core;
using namespace core::msg;

namespace {
std::string_view payload(const std::string& message) {
    return splitEntry(message).payload;
}
} // namespace

TEST(ToClient, ReadWhatTheBuildersWrite) {
    const Faces dice{0, 3, 1, 6, 6, 2};
    const std::vector<DieFace> rolled{{2, 6}, {5, 1}};
    const std::string stats = toClient::Loadstats::build(8, 3, 2, 1, 4, 5, dice);
    const auto turn = toClient::Loadstats::read(payload(stats));
    EXPECT_EQ(turn.slot, 8);
    EXPECT_EQ(turn.limit->text, "2");
    EXPECT_EQ(turn.round->value, 4);
    EXPECT_EQ(turn.workingcat, 5);
    EXPECT_EQ(turn.dice.size(), 5u);
    EXPECT_TRUE(turn.complete);

    const std::string roll = toClient::Createdice::build(2, 1, rolled);
    EXPECT_EQ(toClient::Createdice::read(payload(roll)).dice, rolled);
    const auto bonus =
        toClient::Gotbonus::read(payload(toClient::Gotbonus::build(4, 120, 25, 6, 30, dice)));
    EXPECT_EQ(bonus.gain->text, "25");
    EXPECT_EQ(bonus.categoryScore->value, 30);
    EXPECT_TRUE(bonus.complete);
    const std::vector<PlayerEntry> players{{1, "Ann", false}, {7, "Cy", true}};
    EXPECT_EQ(
        toClient::Newplayerinfo::read(payload(toClient::Existingplayers::build(players))).players,
        players);
    const std::vector<int> tie{2, 5};
    EXPECT_EQ(toClient::Winner::read(payload(toClient::Winner::build(tie))).seats,
              (std::vector<int>{2, 5, 0}));
    SeatScores seat{4, true, {0, -1, 4, -1, -1, -1, -1, 0, 4}};
    const auto sheet = toClient::Loadscores::read(
        payload(toClient::Loadscores::build(8, std::vector<SeatScores>{seat, seat})));
    ASSERT_EQ(sheet.seats.size(), 2u);
    EXPECT_EQ(sheet.seats[1].flag, "t");
    ASSERT_EQ(sheet.seats[1].cells.size(), 8u);
    EXPECT_EQ(sheet.seats[1].cells[1].value.text, "4");
    EXPECT_EQ(sheet.seats[1].cells[7].row, 8);
}

// A bad fixed field leaves the others readable; a list stops at its first bad entry.
TEST(ToClient, KeepWhatIsSoundAroundABadField) {
    const auto roll = toClient::Createdice::read("x+2+1+5+3+y+4+4");
    EXPECT_FALSE(roll.seat);
    EXPECT_EQ(roll.rolls, 2);
    EXPECT_EQ(roll.dice, (std::vector<DieFace>{{1, 5}}));
    EXPECT_FALSE(roll.complete);

    const auto post = toClient::Postscores::read("3+07+x+6+");
    EXPECT_EQ(post.total->text, "07"); // shown as it came
    EXPECT_FALSE(post.score);
    EXPECT_EQ(post.category, 6);

    const auto turn = toClient::Nextplayer::read("2+3+1+z+7");
    EXPECT_EQ(turn.open, (std::vector<int>{1}));
    EXPECT_FALSE(turn.complete);

    const auto said = toClient::Chat::read("x+Ann chats: 1+1|clBlack"); // a free text keeps its "+"
    EXPECT_FALSE(said.slot);
    EXPECT_EQ(said.text, "Ann chats: 1+1|clBlack");

    const auto players = toClient::Newplayerinfo::read("1+Ann+0+q+Bo+1");
    ASSERT_EQ(players.players.size(), 1u);
    EXPECT_FALSE(players.complete);

    // The second seat's cells stop at the bad pair, and no seat after it is read.
    const auto sheet = toClient::Loadscores::read("8+1*t*1*3*8*3+2*f*1*4*2*x+3*t*1*1");
    ASSERT_EQ(sheet.seats.size(), 2u);
    EXPECT_TRUE(sheet.seats[0].complete);
    EXPECT_EQ(sheet.seats[0].cells.size(), 2u);
    EXPECT_EQ(sheet.seats[1].flag, "f");
    EXPECT_EQ(sheet.seats[1].cells.size(), 1u);
    EXPECT_FALSE(sheet.seats[1].complete);
    EXPECT_TRUE(toClient::Loadscores::read("8+x*t+1*t").seats.empty());
}
