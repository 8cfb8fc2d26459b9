// SPDX-License-Identifier: GPL-3.0-or-later
// What the board says aloud and to a screen reader, as text, in a known game.
#include "client/controltexts.h"
#include "client/fakeclientport.h"
#include "client/spokenevents.h"
#include "client/tableclient.h"

#include <gtest/gtest.h>

namespace {

// Seat 4 is the local player "Me"; Ann sits at 1, Bob at 2. The sentences are made as the
// window makes them: by an observer of the client, from the board as the message left it.
struct Game : core::HostEventObserver {
    test::FakeClientPort port;
    core::TableClient client{port, 7};
    core::SpeechOptions options{4, false};
    std::vector<std::string> said;
    Game() {
        client.processparams({"Me", "10.0.0.5", "x"});
        client.handleMessage("CMD_sendlogininfo+4");
        client.handleMessage("CMD_newplayerinfo+4+Me+0");
        client.handleMessage("CMD_existingplayers+1+Ann+0+2+Bob+0");
        client.addObserver(*this);
    }
    void hostEvent(const core::HostEvent& event) override {
        said.push_back(core::spokenEvent(event, client.board(), options));
    }
    std::string heard(const std::string& entry, bool withChat = false) {
        options.withChat = withChat;
        said.clear();
        client.handleMessage(entry);
        return said.size() == 1 ? said[0] : "heard " + std::to_string(said.size()) + " times";
    }
};

} // namespace

TEST(SpokenEvents, OneSentencePerGameMessage) {
    Game g;
    const std::pair<const char*, const char*> script[] = {
        {"CMD_startgame+Ann+5+", "Ann started a new game."},
        {"CMD_nextplayer+1+3+1+2+3+4+5+6+7", "Round 3. Ann's turn."},
        {"CMD_createdice+1+1+1+2+2+2+3+5+4+6+5+2", "Ann rolled 2, 2, 5, 6, 2."},
        {"CMD_selectedcat+1+2", "Ann chose Twos."},
        {"CMD_postscores+1+30+6+2", "Ann scored 6 in Twos."},
        {"CMD_nextplayer+4+3+1+7", "Round 3. Your turn."},
        {"CMD_bramble+4+35+35+1+1+1+2+2+3+3+4+4+5+5",
         "You rolled a Bramble, 1, 2, 3, 4, 5, scoring 35."},
        {"CMD_bonustime+1+55+25+5", "Bonus mode for Ann, 25 in Fives."},
        {"CMD_gotbonus+1+60+5+5+30+1+5+2+5+3+5+4+5+5+1",
         "Ann gained 5 bonus points, 5, 5, 5, 5, 1."},
        {"CMD_bonusend+1+0+0", "Bonus mode over for Ann."},
        {"CMD_winner+1+0", "Ann has Won the Game!"},
        // Not spoken: chat unless asked for, other messages, fields that do not read.
        {"CMD_chat+1+Ann chats: hi|clBlack", ""},
        {"CMD_playerdisconnected+2+Bob", ""},
        {"CMD_createdice+x+1", ""},
        {"CMD_selectedcat+1+9", ""},
        {"CMD_nextplayer+7+1", ""},
    };
    for (const auto& [entry, sentence] : script)
        EXPECT_EQ(g.heard(entry), sentence) << entry;
    EXPECT_EQ(g.heard("CMD_action+2+Bob says: well played|$00FF0000", true),
              "Bob says: well played");
    // What the client drops is not heard at all.
    EXPECT_EQ(g.heard("CMD_whisper+1+hi"), "heard 0 times");
    EXPECT_EQ(g.heard("CMD_full"), "heard 0 times");
}

TEST(ControlTexts, DiceTilesCellsSeatsAndRolls) {
    Game g;
    const core::BoardModel& b = g.client.board();
    g.client.handleMessage("CMD_startgame+Ann+5+");
    g.client.handleMessage("CMD_nextplayer+4+1+1+2+3+4+5+6+7");
    EXPECT_EQ(core::dieText(b, 3), "Die 3: not rolled");
    EXPECT_EQ(core::categoryText(b, 4), "Fours, open");
    EXPECT_EQ(core::seatText(b, 4), "Seat 4: Me, on turn");
    EXPECT_EQ(core::seatText(b, 3), "Seat 3: <Waiting>, not playing");

    g.client.handleMessage("CMD_createdice+4+2+1+4+2+4+3+5+4+4+5+1");
    g.client.image_dMouseUp(3, core::MouseButton::Left);
    EXPECT_EQ(core::dieText(b, 3), "Die 3: five, held");
    EXPECT_EQ(core::dieText(b, 1), "Die 1: four");
    EXPECT_EQ(core::rollsText(b.rollsUsed()), "2 of 3 rolls used");
    EXPECT_EQ(core::rollsText(4), "No rolls shown");

    g.client.handleMessage("CMD_selectedcat+4+4");
    EXPECT_EQ(core::categoryText(b, 4), "Fours, selected");
    EXPECT_EQ(core::categoryText(b, 5), "Fives");
    g.client.handleMessage("CMD_postscores+4+12+12+4");
    EXPECT_EQ(core::cellText(b, 4, 4), "Me, Fours: 12");
    EXPECT_EQ(core::cellText(b, 4, 8), "Me, Total: 12");
    EXPECT_EQ(core::cellText(b, 1, 4), "Ann, Fours: not scored");

    g.client.handleMessage("CMD_nextplayer+4+2+1+2+3+5+6+7");
    EXPECT_EQ(core::categoryText(b, 4), "Fours, scored 12");
    g.client.handleMessage("CMD_justwatching+2+1");
    EXPECT_EQ(core::seatText(b, 2), "Seat 2: Bob, just watching");
}
