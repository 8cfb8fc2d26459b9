// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/fields.h"
#include "net/messages.h"

#include <gtest/gtest.h>

using namespace core;
using namespace core::msg;

namespace {
const Faces kDiceCount{0, 3, 1, 6, 6, 2};
const std::vector<int> kNone;
} // namespace

TEST(Messages, BuildersWriteTheExactTexts) {
    const std::vector<int> roll{1, 4, 5};
    const std::vector<int> open{1, 3, 7};
    const std::vector<DieFace> rolled{{2, 6}, {5, 1}};
    const std::vector<PlayerEntry> players{{1, "Ann", false}, {3, "Cy", true}};
    const std::vector<int> tie{2, 5};
    SeatScores seat;
    seat.seat = 1;
    seat.ingame = true;
    seat.rows = {0, 3, -1, -1, -1, 0, -1, -1, 3};
    struct Case {
        std::string built;
        const char* wire;
    };
    const std::vector<Case> cases{
        // client to host
        {toHost::Logininfo::build(3, "1.0.2", "Ann+Bo"), "CMD_logininfo+3+1.0.2+Ann+Bo"},
        {toHost::Kickhim::build(1, 4), "CMD_kickhim+1+4+"},
        {toHost::Chat::build(2, "hi+there|clBlack"), "CMD_chat+2+hi+there|clBlack"},
        {toHost::Action::build(2, "says: Good game|$00FF0000"),
         "CMD_action+2+says: Good game|$00FF0000"},
        {toHost::Playasound::build(2, 17), "CMD_playasound+2+wave17+"},
        {toHost::Startgame::build("Ann", 5), "CMD_startgame+Ann+5+"},
        {toHost::Justwatch::build(3, 1), "CMD_justwatch+3+1"},
        {toHost::Rollthedice::build(3, roll), "CMD_rollthedice+3+1+4+5"},
        {toHost::Rollthedice::build(3, kNone), "CMD_rollthedice+3+0"},
        {toHost::Selectcat::build(3, 7), "CMD_selectcat+3+7+"},
        // host to client
        {toClient::Sendlogininfo::build(4), "CMD_sendlogininfo+4"},
        {toClient::Full::build(), "CMD_full+"},
        {toClient::Newplayerinfo::build(4, "Dee"), "CMD_newplayerinfo+4+Dee+0"},
        {toClient::Existingplayers::build(players), "CMD_existingplayers+1+Ann+0+3+Cy+1"},
        {toClient::Havewrongversion::build("Dee"), "CMD_havewrongversion+Dee"},
        {toClient::Wrongversion::build(), "CMD_wrongversion+"},
        {toClient::Loadstats::build(8, 3, 2, 1, 4, 5, kDiceCount),
         "CMD_loadstats+8+3+2+1+4+5+1+3+2+1+3+6+4+6+5+2"},
        {toClient::Loadscores::build(8, std::vector<SeatScores>{seat}),
         "CMD_loadscores+8+1*t*1*3*2*-1*3*-1*4*-1*5*0*6*-1*7*-1*8*3"},
        {toClient::Playerdisconnected::build(4, "Dee"), "CMD_playerdisconnected+4+Dee"},
        {toClient::Justwatching::build(3, 2), "CMD_justwatching+3+2"},
        {toClient::Chat::build(2, "Bob", "hi+there|clBlack"),
         "CMD_chat+2+Bob chats: hi+there|clBlack"},
        {toClient::Action::build(2, "Bob", "waves|clBlack"), "CMD_action+2+Bob waves|clBlack"},
        {toClient::Playasound::build(2, "wave17+"), "CMD_playasound+2+wave17+"},
        {toClient::Startgame::build("Ann", 0), "CMD_startgame+Ann+0+"},
        {toClient::Nextplayer::build(2, 7, open), "CMD_nextplayer+2+7+1+3+7"},
        {toClient::Nextplayer::build(2, 7, kNone), "CMD_nextplayer+2+7+0"},
        {toClient::Selectedcat::build(2, 6), "CMD_selectedcat+2+6+"},
        {toClient::Needcat::build(2), "CMD_needcat+2+"},
        {toClient::Createdice::build(2, 2, rolled), "CMD_createdice+2+2+2+6+5+1"},
        {toClient::Createdice::build(2, 3, std::vector<DieFace>{}), "CMD_createdice+2+3+0+0"},
        {toClient::Bramble::build(2, 40, 38, kDiceCount),
         "CMD_bramble+2+40+38+3+1+3+2+1+3+6+4+6+5+2"},
        {toClient::Postscores::build(2, 40, 12, 6), "CMD_postscores+2+40+12+6+"},
        {toClient::Bonustime::build(2, 58, 30, 6), "CMD_bonustime+2+58+30+6+"},
        {toClient::Gotbonus::build(2, 70, 12, 6, 42, kDiceCount),
         "CMD_gotbonus+2+70+12+6+42+1+3+2+1+3+6+4+6+5+2"},
        {toClient::Bonusend::build(2, kDiceCount), "CMD_bonusend+2+1+3+2+1+3+6+4+6+5+2"},
        {toClient::Bonusend::buildByLimit(2), "CMD_bonusend+2+0+0"},
        {toClient::Winner::build(tie), "CMD_winner+2+5+0+"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.built, c.wire);
}

// The host refuses a request whose number fields do not convert, whatever else it carries.
TEST(Messages, HostReadsRequestsStrictly) {
    auto payload = [](const std::string& m) { return std::string(splitEntry(m).payload); };

    auto login = toHost::Logininfo::read(payload(toHost::Logininfo::build(3, "1.0.2", "Ann+Bo")));
    ASSERT_TRUE(login);
    EXPECT_EQ(login->slot, 3);
    EXPECT_EQ(login->version, "1.0.2");
    EXPECT_EQ(login->name, "Ann+Bo");

    const std::vector<int> dice{1, 4};
    auto roll = toHost::Rollthedice::read(payload(toHost::Rollthedice::build(3, dice)));
    ASSERT_TRUE(roll);
    EXPECT_EQ(roll->dice, dice);
    EXPECT_EQ(toHost::Rollthedice::read("3+1+")->dice, (std::vector<int>{1}));
    EXPECT_TRUE(toHost::Rollthedice::read("3")->dice.empty());
    // A game starts whatever its limit says.
    EXPECT_EQ(toHost::Startgame::read("Ann+junk+")->bonusLimit, std::nullopt);

    EXPECT_FALSE(toHost::Logininfo::read("x+1.0.2+Ann"));
    EXPECT_FALSE(toHost::Kickhim::read("1+"));
    EXPECT_FALSE(toHost::Chat::read("x+hi|clBlack"));
    EXPECT_FALSE(toHost::Justwatch::read("3+one"));
    EXPECT_FALSE(toHost::Rollthedice::read("3+1+x"));
    EXPECT_FALSE(toHost::Rollthedice::read("3++1"));
    EXPECT_FALSE(toHost::Selectcat::read("3+x+"));
}
