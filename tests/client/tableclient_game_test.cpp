// SPDX-License-Identifier: GPL-3.0-or-later
// The board under the host's game messages, the local player's turn controls and the
// late-joiner rebuild.
#include "client/fakeclientport.h"
#include "client/tableclient.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

using core::DieBody;
using core::MouseButton;
using core::TableClient;
using test::FakeClientPort;
using Events = std::vector<std::string>;

namespace {

// A client logged in at `slot`, seats 1 Ann, 2 Bob, 4 Dan taken (and the own seat, if any,
// named Me), events cleared.
struct Table {
    FakeClientPort port;
    TableClient client{port, 7};
    explicit Table(int slot, bool host = false) {
        client.processparams({"Me", "10.0.0.5", host ? "true" : "x"});
        client.handleMessage("CMD_sendlogininfo+" + std::to_string(slot));
        client.handleMessage("CMD_newplayerinfo+" + std::to_string(slot) + "+Me+0");
        std::string others;
        for (auto [s, n] : {std::pair{1, "Ann"}, {2, "Bob"}, {4, "Dan"}})
            if (s != slot)
                others.append("+").append(std::to_string(s)).append("+").append(n).append("+0");
        client.handleMessage("CMD_existingplayers" + others);
        port.clear();
    }
    void msg(const std::string& m) { client.handleMessage(m); }
    const core::BoardModel& b() const { return client.board(); }
};

TEST(ClientGame, StartAnnouncesAndMarksEmptySeats) {
    struct Case {
        int slot;
        std::string starter;
        std::string line;
    };
    const Case cases[] = {{1, "Ann", "chat:0+Ann has started a game."},
                          {3, "Me", "chat:0+You have started a game."},
                          {8, "Me", "chat:0+Me has started a game."}};
    for (const auto& c : cases) {
        Table t(c.slot);
        t.msg("CMD_startgame+" + c.starter + "+2+");
        EXPECT_EQ(t.port.with("chat:"), Events{c.line});
        EXPECT_EQ(t.b().limitLabel, "Bonus Rolls Limited to 2 Rolls");
    }

    Table t(1, true);
    t.msg("CMD_playerdisconnected+2+Bob"); // seat 2 now "Vosk"
    t.msg("CMD_startgame+Me+0+");
    EXPECT_EQ(t.b().limitLabel, "Unlimited Bonus Rolls");
    EXPECT_FALSE(t.b().startVisible);
    EXPECT_EQ(t.b().seat(2).label, "Vosk");
    EXPECT_FALSE(t.b().seat(2).notPlaying);
    EXPECT_TRUE(t.b().seat(3).notPlaying);
    EXPECT_FALSE(t.b().seat(4).notPlaying);
    EXPECT_TRUE(t.b().seat(5).notPlaying);
    EXPECT_TRUE(t.port.has("justwatch:off"));

    EXPECT_EQ(core::BoardModel::limitText("1"), "Bonus Rolls Limited to 1 Roll");
    EXPECT_EQ(core::BoardModel::limitText("5"), "Bonus Rolls Limited to 5 Rolls");
}

TEST(ClientGame, Seat2WaitingShowsVoskAtStart) {
    FakeClientPort port;
    TableClient client(port);
    client.processparams({});
    client.handleMessage("CMD_sendlogininfo+1");
    EXPECT_EQ(client.board().seat(2).label, "<Waiting>");
    client.handleMessage("CMD_startgame+You+0+");
    EXPECT_EQ(client.board().seat(2).label, "Vosk");
}

TEST(ClientGame, NextPlayerHighlightsColumnAndOffersCategories) {
    Table t(4);
    t.msg("CMD_startgame+Ann+5+");
    t.msg("CMD_nextplayer+1+1+1+2+3+4+5+6+7");
    EXPECT_EQ(t.b().status, "Ann's turn");
    EXPECT_EQ(t.b().roundText, "Round: 1");
    EXPECT_EQ(t.b().scoreturnLeft, 94);
    EXPECT_TRUE(t.b().scoreturnVisible);
    EXPECT_TRUE(t.b().cell(1, 1).bold);
    EXPECT_FALSE(t.b().cell(1, 8).grey);
    EXPECT_TRUE(t.b().cell(2, 5).grey);
    EXPECT_FALSE(t.b().rollVisible);
    EXPECT_TRUE(t.client.diceAnimating());
    for (int n = 1; n <= 7; ++n) {
        EXPECT_TRUE(t.b().category(n).buttonVisible);
        EXPECT_FALSE(t.b().category(n).barVisible);
        EXPECT_TRUE(t.b().category(n).selectable);
        EXPECT_EQ(t.b().category(n).barWidth, 50);
    }

    t.port.clear();
    t.msg("CMD_nextplayer+4+1+2+7");
    EXPECT_EQ(t.port.events, (Events{"anim:start", "sound:turn"}));
    EXPECT_EQ(t.b().status, "Your Turn");
    EXPECT_TRUE(t.b().rollVisible);
    EXPECT_EQ(t.b().scoreturnLeft, 220);
    EXPECT_TRUE(t.b().cell(1, 3).grey);
    EXPECT_FALSE(t.b().cell(1, 3).bold);
    EXPECT_TRUE(t.b().cell(4, 3).bold);
    EXPECT_FALSE(t.b().category(1).buttonVisible);
    EXPECT_TRUE(t.b().category(2).buttonVisible);
    EXPECT_EQ(t.b().category(7).barWidth, 175);
    EXPECT_EQ(t.b().category(1).barWidth, 11);

    t.msg("CMD_nextplayer+4+7+0"); // nothing left open
    for (int n = 1; n <= 7; ++n)
        EXPECT_FALSE(t.b().category(n).buttonVisible);
}

TEST(ClientGame, CreateDiceRollsNamedDiceOnly) {
    Table t(1);
    t.msg("CMD_nextplayer+1+1+1+2+3+4+5+6+7");
    t.port.clear();
    t.msg("CMD_createdice+1+1+1+3+2+3+3+3+4+6+5+1");
    EXPECT_EQ(t.port.events, (Events{"anim:stop", "sound:dice"}));
    EXPECT_EQ(t.b().die(4).face, 6);
    EXPECT_EQ(t.b().die(4).body, DieBody::Plain);
    EXPECT_EQ(t.b().die(4).pips, 6);
    EXPECT_EQ(t.b().rollsFrame(), 1);
    EXPECT_TRUE(t.b().rollVisible);

    t.client.image_dMouseUp(2, MouseButton::Left);
    EXPECT_TRUE(t.b().die(2).held);
    t.client.button_rollClick(); // no category: the reminder panel
    t.client.button_noClick();
    t.msg("CMD_selectedcat+1+3+");
    t.client.button_rollClick();
    EXPECT_EQ(t.port.with("send:").back(), "send:CMD_rollthedice+1+1+3+4+5");

    // A roll of nothing: every die raised, holds kept, the indicator still advances.
    t.msg("CMD_createdice+1+2+0+0");
    for (int d = 1; d <= 5; ++d)
        EXPECT_EQ(t.b().die(d).top, 110);
    EXPECT_TRUE(t.b().die(2).held);
    EXPECT_EQ(t.b().die(1).face, 3);
    EXPECT_EQ(t.b().rollsFrame(), 2);

    // The third roll: posting, and no roll button even for me.
    t.client.button_rollClick();
    t.msg("CMD_createdice+1+3+1+5+3+5+4+5+5+5");
    EXPECT_EQ(t.b().status, "Posting Scores.. Please Wait.");
    EXPECT_FALSE(t.b().rollVisible);
    EXPECT_EQ(t.b().rollsFrame(), 3);
    EXPECT_EQ(t.b().die(1).top, 119);
    EXPECT_EQ(t.b().die(2).top, 110); // held, not rolled

    t.msg("CMD_createdice+1+4+0+0");
    EXPECT_EQ(t.b().rollsFrame(), -1);
}

TEST(ClientGame, SelectedCatStatusPerCategory) {
    const char* texts[] = {"Keep your ONES",   "Select all TWOS", "Looking for THREES",
                           "Roll those FOURS", "Get some FIVES",  "Grab all Sixes",
                           "Make a STRAIGHT"};
    for (int cat = 1; cat <= 7; ++cat) {
        Table t(2);
        t.msg("CMD_nextplayer+2+1+1+2+3+4+5+6+7");
        t.port.clear();
        t.msg("CMD_selectedcat+2+" + std::to_string(cat) + "+");
        EXPECT_EQ(t.b().status, texts[cat - 1]);
        EXPECT_EQ(t.port.events, Events{"sound:select"});
        for (int n = 1; n <= 7; ++n) {
            EXPECT_FALSE(t.b().category(n).selectable);
            EXPECT_EQ(t.b().category(n).buttonVisible, n == cat);
            EXPECT_EQ(t.b().category(n).barVisible, n == cat);
            EXPECT_EQ(t.b().category(n).markVisible, n == cat);
        }
    }
    Table other(3);
    other.msg("CMD_nextplayer+2+1+1+2");
    other.msg("CMD_selectedcat+2+2+");
    EXPECT_EQ(other.b().status, "Bob's turn");
}

TEST(ClientGame, ScoringMessages) {
    Table t(4);
    t.msg("CMD_nextplayer+1+1+1+2+3+4+5+6+7");
    t.port.clear();
    t.msg("CMD_postscores+1+0+0+3+");
    EXPECT_EQ(t.port.events, (Events{"anim:stop", "sound:nopoints"}));
    EXPECT_EQ(t.b().cell(1, 3).text, "0");
    EXPECT_EQ(t.b().cell(1, 8).text, "0");
    t.port.clear();
    t.msg("CMD_postscores+1+12+12+4+");
    EXPECT_EQ(t.port.events, (Events{"anim:stop", "sound:gotpoints"}));

    t.port.clear();
    t.msg("CMD_bramble+4+52+40+3+1+1+2+2+3+3+4+4+5+5");
    EXPECT_EQ(t.b().status, "You got a BRAMBLE!");
    EXPECT_EQ(t.port.events, (Events{"anim:stop", "tally:increase:5", "sound:bramble"}));
    EXPECT_EQ(t.b().cell(4, 7).text, "40");
    EXPECT_EQ(t.b().rollsFrame(), 3);
    t.msg("CMD_bramble+1+52+40+3+1+1+2+2+3+3+4+4+5+5");
    EXPECT_EQ(t.b().status, "Ann got a BRAMBLE!");

    t.port.clear();
    t.msg("CMD_bonustime+4+77+25+5+");
    EXPECT_EQ(t.b().status, "You are entering BONUS MODE!");
    EXPECT_EQ(t.port.events, (Events{"tally:increase:4", "sound:enterbonus"}));
    t.msg("CMD_gotbonus+4+87+10+5+35+1+5+2+5+3+1+4+5+5+2");
    EXPECT_EQ(t.b().status, "You recieved 10 bonus points!");
    EXPECT_EQ(t.b().cell(4, 5).text, "35");
    EXPECT_EQ(t.b().cell(4, 8).text, "87");
    EXPECT_TRUE(t.b().die(1).bonusMark);
    EXPECT_EQ(t.b().die(1).top, 110);
    EXPECT_FALSE(t.b().die(3).bonusMark);
    EXPECT_EQ(t.b().die(3).top, 119);
    EXPECT_EQ(t.b().die(3).body, DieBody::Bonus);

    // Ended by the limit: dice and marks stay until the next turn.
    t.msg("CMD_bonusend+4+0+0");
    EXPECT_EQ(t.b().status, "You are exiting BONUS MODE!");
    EXPECT_TRUE(t.b().die(1).bonusMark);
    EXPECT_EQ(t.b().die(1).top, 110);
    t.msg("CMD_nextplayer+1+2+1+2");
    EXPECT_FALSE(t.b().die(1).bonusMark);

    // Ended by a miss: the missed roll is shown at rest with the bonus body.
    t.msg("CMD_gotbonus+1+30+5+5+25+1+5+2+5+3+5+4+5+5+5");
    EXPECT_EQ(t.b().status, "Ann recieved 5 bonus points!");
    t.msg("CMD_bonusend+1+1+2+2+5+3+5+4+5+5+5");
    EXPECT_EQ(t.b().status, "Ann is exiting BONUS MODE!");
    EXPECT_FALSE(t.b().die(2).bonusMark);
    EXPECT_EQ(t.b().die(2).top, 119);
    EXPECT_EQ(t.b().die(1).face, 2);
    EXPECT_EQ(t.b().die(1).body, DieBody::Bonus);
}

TEST(ClientGame, WinnerTextsAndTally) {
    struct Case {
        int slot;
        std::string winners;
        std::string myTotal; // row 8 of my seat
        std::string label;
        Events tally;
        std::vector<int> marks;
    };
    const Case cases[] = {
        {4,
         "2+4+0+",
         "120",
         "Bob and You have Won the Game!",
         {"tally:record:won:Bob and You:120"},
         {2, 4}},
        {5,
         "1+3+0+",
         "80",
         "Ann and Me have Won the Game!",
         {"tally:record:lost:Ann and Me:80"},
         {1, 3}},
        {8, "2+0+", "", "Bob has Won the Game!", {}, {2}},
        {1, "1+0+", "90", "You have Won the Game!", {"tally:record:won:Me:90"}, {1}},
        {1, "2+0+", "150", "Bob has Won the Game!", {"tally:record:lost:Bob:150"}, {2}},
        // A namesake at seat 3 wins alone: not our win.
        {5, "3+0+", "80", "Me has Won the Game!", {"tally:record:lost:Me:80"}, {3}},
    };
    for (const auto& c : cases) {
        Table t(c.slot, c.slot == 1);
        if (c.slot == 5) t.msg("CMD_newplayerinfo+3+Me+0"); // another "Me" at seat 3
        t.msg("CMD_startgame+Ann+0+");
        t.msg("CMD_nextplayer+1+7+1");
        if (c.slot <= 6 && !c.myTotal.empty())
            t.msg("CMD_postscores+" + std::to_string(c.slot) + "+" + c.myTotal + "+1+1+");
        t.port.clear();
        t.msg("CMD_winner+" + c.winners);
        EXPECT_EQ(t.b().winner1, c.label) << c.winners;
        EXPECT_EQ(t.b().winner2, c.label);
        EXPECT_EQ(t.port.with("tally:"), c.tally) << c.slot << " " << c.winners;
        EXPECT_EQ(t.port.with("chat:"), Events{"chat:0+" + c.label});
        EXPECT_TRUE(t.port.has("sound:winner"));
        EXPECT_EQ(t.b().status, "Game Over!");
        EXPECT_TRUE(t.b().winnerPanelVisible);
        EXPECT_EQ(t.b().startVisible, c.slot == 1);
        EXPECT_FALSE(t.b().scoreturnVisible);
        EXPECT_FALSE(t.b().category(1).buttonVisible);
        EXPECT_FALSE(t.b().cell(1, 1).bold);
        EXPECT_FALSE(t.b().cell(2, 1).grey);
        for (int s = 1; s <= 6; ++s)
            EXPECT_EQ(t.b().seat(s).winnerMark,
                      std::find(c.marks.begin(), c.marks.end(), s) != c.marks.end());
    }
}

TEST(ClientTurn, RollButtonBranches) {
    struct Case {
        const char* name;
        bool remind;
        int rolls;    // rolls before the click (0 = not rolled yet)
        int category; // working category before the click
        bool holdAll;
        Events sent; // "send:" events
        bool panel, panel1, rollShown;
    };
    const Case cases[] = {
        {"first roll",
         true,
         0,
         0,
         false,
         {"send:CMD_rollthedice+3+1+2+3+4+5"},
         false,
         false,
         false},
        {"third without category", true, 2, 0, false, {}, false, true, true},
        {"reminder", true, 1, 0, false, {}, true, false, true},
        {"no reminder drops holds",
         false,
         1,
         0,
         false,
         {"send:CMD_rollthedice+3+1+2+3+4+5"},
         false,
         false,
         false},
        {"category, holds count",
         true,
         1,
         2,
         false,
         {"send:CMD_rollthedice+3+1+3+5"},
         false,
         false,
         false},
        {"everything held", true, 1, 2, true, {"send:CMD_rollthedice+3+0"}, false, false, false},
    };
    for (const auto& c : cases) {
        Table t(3);
        t.client.setRemindMe(c.remind);
        t.msg("CMD_nextplayer+3+1+1+2+3+4+5+6+7");
        if (c.rolls > 0)
            t.msg("CMD_createdice+3+" + std::to_string(c.rolls) + "+1+1+2+2+3+3+4+4+5+6");
        if (c.category > 0) t.msg("CMD_selectedcat+3+" + std::to_string(c.category) + "+");
        if (c.rolls > 0) {
            for (int d : {2, 4})
                t.client.image_dMouseUp(d, MouseButton::Left);
            if (c.holdAll)
                for (int d : {1, 3, 5})
                    t.client.image_dMouseUp(d, MouseButton::Left);
        }
        t.port.clear();
        t.client.button_rollClick();
        t.client.button_rollClick(); // a second quick click sends nothing more
        EXPECT_EQ(t.port.with("send:"), c.sent) << c.name;
        EXPECT_EQ(t.b().panelErrorVisible, c.panel) << c.name;
        EXPECT_EQ(t.b().panelError1Visible, c.panel1) << c.name;
        if (c.panel || c.panel1) {
            EXPECT_EQ(t.port.with("sound:"), (Events{"sound:error", "sound:error"})) << c.name;
            EXPECT_EQ(t.client.turnseat(), 3);
        } else {
            EXPECT_EQ(t.client.turnseat(), 0);
        }
        EXPECT_EQ(t.b().rollVisible, c.rollShown) << c.name;
        if (!c.remind) {
            EXPECT_FALSE(t.b().die(2).held);
            EXPECT_EQ(t.b().die(2).top, 119);
        }
    }
}

TEST(ClientTurn, WarningPanelButtons) {
    Table t(3);
    t.msg("CMD_nextplayer+3+1+1+2+3+4+5+6+7");
    t.msg("CMD_createdice+3+1+1+1+2+2+3+3+4+4+5+6");
    t.client.image_dMouseUp(2, MouseButton::Left);
    t.client.button_rollClick();
    ASSERT_TRUE(t.b().panelErrorVisible);
    t.client.button_noClick();
    EXPECT_FALSE(t.b().panelErrorVisible);
    EXPECT_TRUE(t.b().rollVisible);
    t.client.button_rollClick();
    t.port.clear();
    t.client.button_yesClick();
    t.client.button_yesClick();
    EXPECT_EQ(t.port.with("send:"), Events{"send:CMD_rollthedice+3+1+2+3+4+5"});
    EXPECT_EQ(t.b().die(2).top, 119);
    EXPECT_FALSE(t.b().panelErrorVisible);
    EXPECT_FALSE(t.b().rollVisible);
    EXPECT_EQ(t.client.turnseat(), 0);

    // The host's refusal of a third roll without a category.
    t.msg("CMD_createdice+3+2+1+1+2+2+3+3+4+4+5+6");
    t.msg("CMD_needcat+4+"); // not me
    EXPECT_FALSE(t.b().panelError1Visible);
    t.port.clear();
    t.msg("CMD_needcat+3+");
    EXPECT_TRUE(t.b().panelError1Visible);
    EXPECT_TRUE(t.b().rollVisible);
    EXPECT_EQ(t.client.turnseat(), 3);
    EXPECT_EQ(t.port.events, Events{"sound:error"});
    t.client.button_okClick();
    EXPECT_FALSE(t.b().panelError1Visible);

    // A new game hides both panels.
    t.client.button_rollClick();
    t.msg("CMD_startgame+Ann+0+");
    EXPECT_FALSE(t.b().panelError1Visible);
}

TEST(ClientTurn, HoldsOnlyOnMyTurnAfterTheFirstRoll) {
    Table t(3);
    t.msg("CMD_nextplayer+3+1+1+2+3+4+5+6+7");
    t.client.image_dMouseUp(1, MouseButton::Left); // dice tumbling
    EXPECT_FALSE(t.b().die(1).held);
    t.msg("CMD_createdice+3+1+1+1+2+2+3+3+4+4+5+6");
    t.port.clear();
    t.client.image_dMouseUp(1, MouseButton::Right);
    t.client.image_dMouseUp(1, MouseButton::Middle);
    EXPECT_TRUE(t.port.events.empty());
    t.client.image_dMouseUp(1, MouseButton::Left);
    EXPECT_TRUE(t.b().die(1).held);
    EXPECT_EQ(t.b().die(1).top, 110);
    EXPECT_EQ(t.b().die(1).body, DieBody::Plain);
    t.client.image_dMouseUp(1, MouseButton::Left);
    EXPECT_FALSE(t.b().die(1).held);
    EXPECT_EQ(t.b().die(1).top, 119);
    EXPECT_EQ(t.port.events, (Events{"sound:set", "sound:unset"}));

    // Someone else's turn.
    t.msg("CMD_nextplayer+4+1+1");
    t.msg("CMD_createdice+4+1+1+1+2+2+3+3+4+4+5+6");
    t.port.clear();
    t.client.image_dMouseUp(1, MouseButton::Left);
    t.client.categoryClick(1);
    EXPECT_TRUE(t.port.events.empty());
}

TEST(ClientTurn, CategoryClicks) {
    Table t(3);
    t.msg("CMD_nextplayer+3+1+2+5");
    t.port.clear();
    t.client.categoryClick(1); // not open
    t.client.categoryClick(5);
    t.client.categoryClick(2); // request on its way
    EXPECT_EQ(t.port.events, Events{"send:CMD_selectcat+3+5+"});
    EXPECT_EQ(t.client.turnseat(), 0);
    t.msg("CMD_selectedcat+3+5+");
    t.port.clear();
    t.client.categoryClick(2); // chosen already: nothing selectable
    EXPECT_TRUE(t.port.events.empty());
}

TEST(ClientTurn, SpectatorClicksDoNothing) {
    Table t(8);
    t.msg("CMD_nextplayer+1+1+1+2");
    t.msg("CMD_createdice+1+1+1+1+2+2+3+3+4+4+5+6");
    t.port.clear();
    t.client.image_dMouseUp(2, MouseButton::Left);
    t.client.categoryClick(1);
    t.client.button_rollClick();
    t.client.button_yesClick();
    EXPECT_TRUE(t.port.with("send:").empty());
    EXPECT_TRUE(t.port.with("sound:").empty());
    EXPECT_FALSE(t.b().die(2).held);
}

// While our seat is on "Just Watch" the computer plays it: no Roll, no clicks, no panels,
// until the host confirms we play again.
TEST(ClientTurn, JustWatchingSeatIsNotOurs) {
    Table t(3);
    t.msg("CMD_nextplayer+3+1+1+2+3+4+5+6+7");
    t.msg("CMD_createdice+3+1+1+1+2+2+3+3+4+4+5+6");
    t.client.button_rollClick(); // "Roll Without Selecting" opens
    ASSERT_TRUE(t.b().panelErrorVisible);
    t.msg("CMD_justwatching+3+1");
    EXPECT_FALSE(t.b().rollVisible);
    EXPECT_FALSE(t.b().panelErrorVisible);
    t.msg("CMD_selectedcat+3+2+");
    t.msg("CMD_createdice+3+2+1+2");
    EXPECT_FALSE(t.b().rollVisible);
    t.msg("CMD_needcat+3");
    EXPECT_FALSE(t.b().panelError1Visible);
    t.port.clear();
    t.client.button_rollClick();
    t.client.button_yesClick();
    t.client.image_dMouseUp(2, MouseButton::Left);
    t.client.categoryClick(1);
    EXPECT_TRUE(t.port.with("send:").empty());
    EXPECT_FALSE(t.b().die(2).held);
    t.msg("CMD_nextplayer+3+2+1+3");
    EXPECT_EQ(t.b().status, "Me's turn");
    EXPECT_FALSE(t.b().rollVisible);

    // Playing again in the middle of the turn: the rest of it is ours.
    t.msg("CMD_justwatching+3+2");
    EXPECT_TRUE(t.b().rollVisible);
    EXPECT_EQ(t.b().status, "Your Turn");
    t.port.clear();
    t.client.button_rollClick();
    EXPECT_EQ(t.port.with("send:"), Events{"send:CMD_rollthedice+3+1+2+3+4+5"});
}

TEST(ClientTurn, StartAndRemindMe) {
    Table t(1, true);
    t.client.button_startClick();
    t.client.sendStartGame(5);
    t.client.remindme1Click();
    EXPECT_FALSE(t.client.remindMe());
    EXPECT_EQ(t.port.events, (Events{"options", "send:CMD_startgame+Me+5+", "writesettings"}));
}

TEST(ClientTurn, AnimationTumblesPicturesOnly) {
    Table t(3);
    t.msg("CMD_nextplayer+3+1+1");
    t.client.dicetimerTimer();
    for (int d = 1; d <= 5; ++d) {
        EXPECT_EQ(t.b().die(d).body, DieBody::Plain);
        EXPECT_GE(t.b().die(d).pips, 1);
        EXPECT_LE(t.b().die(d).pips, 6);
        EXPECT_EQ(t.b().die(d).face, 0);
    }
}

namespace {

// A field that is not a number stops a handler where it is read: what comes before it in the
// handler is done, nothing after it. Each row: a message to a client in slot 3, the effects it
// has, and what the client shows afterwards, by the names of `shown`.
struct StopCase {
    const char* message;
    Events events;
    std::vector<std::pair<std::string, std::string>> shows;
};

// What the client shows, by name: "turn" (the seat on turn), "round", "status", "limit",
// "rolls", "working" (the category), "scoreturn", "roll" and "winnerpanel" (visible),
// "d<die>.face", "d<die>.top", "d<die>.bonus", "c<category>.button", "c<category>.selectable",
// "s<seat>.winner", "<seat><row>" (a score cell's text) and "<seat><row>.bold". Flags read "1"
// or "0".
std::map<std::string, std::string> shown(const TableClient& c) {
    const core::BoardModel& b = c.board();
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    std::map<std::string, std::string> out{{"turn", std::to_string(c.turnseat())},
                                           {"round", b.roundText},
                                           {"status", b.status},
                                           {"limit", b.limitLabel},
                                           {"rolls", std::to_string(b.rollsUsed())},
                                           {"working", std::to_string(b.workingCategory)},
                                           {"scoreturn", flag(b.scoreturnVisible)},
                                           {"roll", flag(b.rollVisible)},
                                           {"winnerpanel", flag(b.winnerPanelVisible)}};
    for (int d = 1; d <= core::kDiceCount; ++d) {
        const std::string die = std::string("d").append(std::to_string(d));
        out[die + ".face"] = std::to_string(b.die(d).face);
        out[die + ".top"] = std::to_string(b.die(d).top);
        out[die + ".bonus"] = flag(b.die(d).bonusMark);
    }
    for (int n = 1; n <= core::kCategoryCount; ++n) {
        const std::string c = std::string("c").append(std::to_string(n));
        out[c + ".button"] = flag(b.category(n).buttonVisible);
        out[c + ".selectable"] = flag(b.category(n).selectable);
    }
    for (int seat = 1; seat <= core::kSeatCount; ++seat) {
        const std::string s = std::string("s").append(std::to_string(seat));
        out[s + ".winner"] = flag(b.seat(seat).winnerMark);
        for (int row = 1; row <= core::kScoreRows; ++row) {
            const std::string cell = std::to_string(seat) + std::to_string(row);
            out[cell] = b.cell(seat, row).text;
            out[cell + ".bold"] = flag(b.cell(seat, row).bold);
        }
    }
    return out;
}

void expectStops(const std::vector<StopCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Table t(3);
        t.msg(c.message);
        EXPECT_EQ(t.port.events, c.events);
        const auto now = shown(t.client);
        for (const auto& [what, value] : c.shows) {
            const auto it = now.find(what);
            ASSERT_NE(it, now.end()) << what;
            EXPECT_EQ(it->second, value) << what;
        }
    }
}

} // namespace

TEST(ClientGame, BadNumberStopsTheTurnHandlersWhereItIsRead) {
    expectStops({
        {"CMD_nextplayer+x+1+1", {"anim:start"}, {{"turn", "0"}, {"round", "Round: 0"}}},
        {"CMD_nextplayer+3+x+1",
         {"anim:start"},
         {{"turn", "3"}, {"round", "Round: 0"}, {"31.bold", "0"}}},
        {"CMD_nextplayer+3+2+1+x+5",
         {"anim:start"},
         {{"round", "Round: 2"},
          {"c1.button", "1"},
          {"c5.button", "0"},
          {"scoreturn", "0"},
          {"roll", "0"},
          {"status", "Welcome to Brambles"}}},
        {"CMD_createdice+3+x+1+4", {"anim:stop"}, {{"rolls", "0"}, {"d1.top", "119"}}},
        {"CMD_createdice+x+2+1+4",
         {"anim:stop"},
         {{"rolls", "2"}, {"turn", "0"}, {"d1.top", "119"}}},
        {"CMD_createdice+3+1+1+4+2+x",
         {"anim:stop"},
         {{"turn", "3"}, {"d1.face", "4"}, {"d2.top", "110"}, {"roll", "0"}}},
        {"CMD_selectedcat+3+x+", {}, {{"turn", "3"}, {"working", "0"}}},
        {"CMD_selectedcat+3+-2+", {}, {{"turn", "3"}, {"working", "0"}}},
        {"CMD_selectedcat+3+8+", {}, {{"turn", "3"}, {"working", "0"}}},
    });
}

TEST(ClientGame, BadNumberStopsTheScoreHandlersWhereItIsRead) {
    expectStops({
        {"CMD_bramble+3+40+x+3+1+1+2+2+3+3+4+4+5+5",
         {"anim:stop"},
         {{"38", "40"}, {"37", ""}, {"d1.face", "0"}}},
        {"CMD_bramble+3+40+40+3+1+1+2+x",
         {"anim:stop"},
         {{"37", "40"}, {"rolls", "3"}, {"d1.face", "1"}, {"status", "Welcome to Brambles"}}},
        {"CMD_postscores+3+x+5+2+", {"anim:stop"}, {{"38", ""}}},
        {"CMD_postscores+3+9+5+x+", {"anim:stop"}, {{"38", "9"}}},
        {"CMD_bonustime+3+25+x+5+", {}, {{"38", "25"}, {"status", "Welcome to Brambles"}}},
        {"CMD_gotbonus+3+50+x+5+25+1+5+2+5+3+5+4+5+5+5",
         {"anim:stop"},
         {{"38", "50"}, {"35", "25"}, {"status", "Welcome to Brambles"}, {"d1.bonus", "0"}}},
        {"CMD_gotbonus+3+50+5+5+25+1+5+x",
         {"anim:stop"},
         {{"status", "You recieved 5 bonus points!"}, {"d1.bonus", "1"}}},
        {"CMD_bonusend+x+1+1", {"anim:stop"}, {{"status", "Welcome to Brambles"}}},
        {"CMD_bonusend+3+1+x", {"anim:stop"}, {{"status", "You are exiting BONUS MODE!"}}},
        {"CMD_winner+2+x+0+",
         {},
         {{"s2.winner", "1"}, {"winnerpanel", "0"}, {"status", "Welcome to Brambles"}}},
    });
}

TEST(ClientGame, BadNumberStopsTheCatchUpWhereItIsRead) {
    expectStops({
        {"CMD_loadstats+3+2+1+1+x+0+1+0+2+0+3+0+4+0+5+0",
         {},
         {{"turn", "2"},
          {"limit", "Bonus Rolls Limited to 1 Roll"},
          {"rolls", "1"},
          {"round", "Round: 0"},
          {"d1.face", "0"}}},
        // The working category comes before the dice but is used after them.
        {"CMD_loadstats+3+2+1+1+4+x+1+6+2+6+3+6+4+1+5+6",
         {},
         {{"round", "Round: 4"},
          {"d1.face", "6"},
          {"c6.selectable", "1"},
          {"scoreturn", "0"},
          {"status", "Welcome to Brambles"}}},
    });
}

// ---------------------------------------------------------------------------------------
// Late joiners

const char* kScores = "+1*t*1*3*2*-1*3*0*4*-1*5*-1*6*-1*7*-1*8*3"
                      "+2*t*1*-1*2*4*3*-1*4*-1*5*-1*6*-1*7*-1*8*4"
                      "+3*f*1*-1*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*-1"
                      "+4*t*1*2*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*2"
                      "+5*f*1*-1*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*-1"
                      "+6*f*1*-1*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*-1";

TEST(ClientLateJoiner, ScoresAndWaitingLine) {
    struct Case {
        int slot;
        bool waitLine;
    };
    for (const Case c : {Case{3, true}, Case{8, false}, Case{4, false}}) {
        Table t(c.slot);
        t.msg("CMD_loadscores+" + std::to_string(c.slot) + kScores);
        EXPECT_EQ(t.b().cell(1, 1).text, "3");
        EXPECT_EQ(t.b().cell(1, 3).text, ""); // a 0 is shown empty
        EXPECT_EQ(t.b().cell(2, 8).text, "4");
        EXPECT_TRUE(t.b().seat(3).notPlaying);
        EXPECT_TRUE(t.b().seat(5).notPlaying);
        EXPECT_FALSE(t.b().seat(4).notPlaying);
        Events wait;
        if (c.waitLine)
            wait = {
                "chat:0+The game has started. You will have to wait until the next game to play."};
        EXPECT_EQ(t.port.with("chat:"), wait) << c.slot;
    }
    Table other(3);
    other.msg(std::string("CMD_loadscores+5") + kScores);
    EXPECT_EQ(other.b().cell(1, 1).text, "");
    EXPECT_FALSE(other.b().seat(3).notPlaying);
}

TEST(ClientLateJoiner, StatsRebuildTheTurn) {
    Table t(8);
    t.msg("CMD_loadstats+8+2+1+0+3+0+1+0+2+0+3+0+4+0+5+0");
    EXPECT_EQ(t.client.turnseat(), 2);
    EXPECT_EQ(t.b().limitLabel, "Bonus Rolls Limited to 1 Roll");
    EXPECT_EQ(t.b().roundText, "Round: 3");
    EXPECT_EQ(t.b().rollsFrame(), 0);
    EXPECT_EQ(t.b().scoreturnLeft, 136);
    EXPECT_TRUE(t.b().scoreturnVisible);
    EXPECT_TRUE(t.b().cell(2, 1).bold);
    EXPECT_TRUE(t.b().cell(1, 1).grey);
    EXPECT_EQ(t.b().status, "Bob's turn");
    for (int d = 1; d <= 5; ++d) {
        EXPECT_EQ(t.b().die(d).face, 1); // not rolled yet: shown as ones
        EXPECT_EQ(t.b().die(d).top, 119);
        EXPECT_EQ(t.b().die(d).body, DieBody::Plain);
    }
    for (int n = 1; n <= 7; ++n) {
        EXPECT_TRUE(t.b().category(n).buttonVisible);
        EXPECT_TRUE(t.b().category(n).selectable);
        EXPECT_EQ(t.b().category(n).barWidth, 91);
    }
    EXPECT_FALSE(t.client.diceAnimating());
}

TEST(ClientLateJoiner, WorkingCategoryAndOwnSeat) {
    Table t(4);
    t.port.clear();
    t.msg("CMD_loadstats+4+4+0+2+5+6+1+3+2+6+3+6+4+1+5+6");
    EXPECT_EQ(t.b().limitLabel, "Unlimited Bonus Rolls");
    EXPECT_FALSE(t.b().category(6).selectable);
    EXPECT_TRUE(t.b().category(6).buttonVisible);
    EXPECT_TRUE(t.b().category(6).barVisible);
    EXPECT_TRUE(t.b().category(5).selectable);
    EXPECT_FALSE(t.b().category(5).barVisible);
    EXPECT_EQ(t.b().workingCategory, 0);
    EXPECT_EQ(t.b().status, "Your Turn");
    EXPECT_TRUE(t.b().rollVisible);
    EXPECT_EQ(t.port.events, Events{"sound:turn"});
    EXPECT_EQ(t.b().die(2).face, 6);

    // With no category known locally, the rolls-used-2 rule applies.
    t.port.clear();
    t.client.button_rollClick();
    EXPECT_TRUE(t.b().panelError1Visible);
    EXPECT_TRUE(t.port.with("send:").empty());

    Table other(3);
    other.msg("CMD_loadstats+4+4+0+2+5+6+1+3+2+6+3+6+4+1+5+6");
    EXPECT_EQ(other.client.turnseat(), 0);
    EXPECT_EQ(other.b().roundText, "Round: 0");
}

} // namespace
