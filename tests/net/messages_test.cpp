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
        {toHost::logininfo(3, "1.0.2", "Ann+Bo"), "CMD_logininfo+3+1.0.2+Ann+Bo"},
        {toHost::kickhim(1, 4), "CMD_kickhim+1+4+"},
        {toHost::chat(2, "hi+there|clBlack"), "CMD_chat+2+hi+there|clBlack"},
        {toHost::action(2, "says: Good game|$00FF0000"), "CMD_action+2+says: Good game|$00FF0000"},
        {toHost::playasound(2, 17), "CMD_playasound+2+wave17+"},
        {toHost::startgame("Ann", 5), "CMD_startgame+Ann+5+"},
        {toHost::justwatch(3, 1), "CMD_justwatch+3+1"},
        {toHost::rollthedice(3, roll), "CMD_rollthedice+3+1+4+5"},
        {toHost::rollthedice(3, kNone), "CMD_rollthedice+3+0"},
        {toHost::selectcat(3, 7), "CMD_selectcat+3+7+"},
        // host to client
        {toClient::sendlogininfo(4), "CMD_sendlogininfo+4"},
        {toClient::full(), "CMD_full+"},
        {toClient::newplayerinfo(4, "Dee"), "CMD_newplayerinfo+4+Dee+0"},
        {toClient::existingplayers(players), "CMD_existingplayers+1+Ann+0+3+Cy+1"},
        {toClient::havewrongversion("Dee"), "CMD_havewrongversion+Dee"},
        {toClient::wrongversion(), "CMD_wrongversion+"},
        {toClient::loadstats(8, 3, 2, 1, 4, 5, kDiceCount),
         "CMD_loadstats+8+3+2+1+4+5+1+3+2+1+3+6+4+6+5+2"},
        {toClient::loadscores(8, std::vector<SeatScores>{seat}),
         "CMD_loadscores+8+1*t*1*3*2*-1*3*-1*4*-1*5*0*6*-1*7*-1*8*3"},
        {toClient::playerdisconnected(4, "Dee"), "CMD_playerdisconnected+4+Dee"},
        {toClient::justwatching(3, 2), "CMD_justwatching+3+2"},
        {toClient::chat(2, "Bob", "hi+there|clBlack"), "CMD_chat+2+Bob chats: hi+there|clBlack"},
        {toClient::action(2, "Bob", "waves|clBlack"), "CMD_action+2+Bob waves|clBlack"},
        {toClient::playasound(2, "wave17+"), "CMD_playasound+2+wave17+"},
        {toClient::startgame("Ann", 0), "CMD_startgame+Ann+0+"},
        {toClient::nextplayer(2, 7, open), "CMD_nextplayer+2+7+1+3+7"},
        {toClient::nextplayer(2, 7, kNone), "CMD_nextplayer+2+7+0"},
        {toClient::selectedcat(2, 6), "CMD_selectedcat+2+6+"},
        {toClient::needcat(2), "CMD_needcat+2+"},
        {toClient::createdice(2, 2, rolled), "CMD_createdice+2+2+2+6+5+1"},
        {toClient::createdice(2, 3, std::vector<DieFace>{}), "CMD_createdice+2+3+0+0"},
        {toClient::bramble(2, 40, 38, kDiceCount), "CMD_bramble+2+40+38+3+1+3+2+1+3+6+4+6+5+2"},
        {toClient::postscores(2, 40, 12, 6), "CMD_postscores+2+40+12+6+"},
        {toClient::bonustime(2, 58, 30, 6), "CMD_bonustime+2+58+30+6+"},
        {toClient::gotbonus(2, 70, 12, 6, 42, kDiceCount),
         "CMD_gotbonus+2+70+12+6+42+1+3+2+1+3+6+4+6+5+2"},
        {toClient::bonusend(2, kDiceCount), "CMD_bonusend+2+1+3+2+1+3+6+4+6+5+2"},
        {toClient::bonusendByLimit(2), "CMD_bonusend+2+0+0"},
        {toClient::winner(tie), "CMD_winner+2+5+0+"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.built, c.wire);
}

TEST(Messages, ParsersReadWhatTheBuildersWrite) {
    auto payload = [](const std::string& m) { return std::string(splitEntry(m).payload); };

    auto login = parseLogininfo(payload(toHost::logininfo(3, "1.0.2", "Ann+Bo")));
    ASSERT_TRUE(login);
    EXPECT_EQ(login->slot, 3);
    EXPECT_EQ(login->version, "1.0.2");
    EXPECT_EQ(login->name, "Ann+Bo");

    auto stats = parseLoadstats(payload(toClient::loadstats(8, 3, 2, 1, 4, 5, kDiceCount)));
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->currentSeat, 3);
    EXPECT_EQ(stats->workingcat, 5);
    EXPECT_EQ(stats->dice[2], (DieFace{3, 6}));

    SeatScores seat;
    seat.seat = 4;
    seat.rows = {0, -1, 4, -1, -1, -1, -1, 0, 4};
    auto scores =
        parseLoadscores(payload(toClient::loadscores(8, std::vector<SeatScores>{seat, seat})));
    ASSERT_TRUE(scores);
    EXPECT_EQ(scores->seats, (std::vector<SeatScores>{seat, seat}));
}

TEST(Messages, ParsersRefuseFieldsThatAreNotNumbers) {
    EXPECT_FALSE(parseLogininfo("x+1.0.2+Ann"));
    EXPECT_FALSE(parseKickhim("1+"));
    EXPECT_FALSE(parseJustwatch("3+one"));
    EXPECT_FALSE(parseLoadstats("8+3+2+1+4+5+1+3"));
    EXPECT_FALSE(parseLoadscores("8+1*t*1*3"));
    EXPECT_FALSE(parseLoadscores("8+1*q*1*0*2*0*3*0*4*0*5*0*6*0*7*0*8*0"));
}
