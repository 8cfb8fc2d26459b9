// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/turnengine.h"

#include "host/enginefixture.h"

#include <gtest/gtest.h>

using namespace core;
using enginetest::EngineRig;
using Strings = std::vector<std::string>;

namespace {

class TurnEngineTest : public ::testing::Test, public EngineRig {
protected:
    // Everything broadcast since the last call, as slot 7 (a spectator) saw it.
    Strings seen() {
        Strings out = port.to(7);
        port.clear();
        return out;
    }
    void startWith(std::initializer_list<int> slots, const char* payload = "Ann+0+") {
        for (int s : slots)
            connect(s);
        connect(7, "spy");
        start(payload);
    }
    // Plays a human seat's turn without a bonus: roll, choose the first open face, two rolls
    // of no die. The first roll must not be a straight.
    void playHumanTurn(int seat, std::initializer_list<int> firstRoll = {1, 1, 2, 3, 4}) {
        ASSERT_EQ(state.turn.currentseat, seat);
        dice.push(firstRoll);
        roll(std::to_string(seat) + "+1+2+3+4+5");
        if (seat_(seat).workingcat == 0) {
            int c = 1;
            while (seat_(seat).score(c) != -1)
                ++c;
            selectCat(std::to_string(seat) + "+" + std::to_string(c) + "+");
        }
        roll(std::to_string(seat) + "+0");
        roll(std::to_string(seat) + "+0");
        ASSERT_FALSE(seat_(seat).turnactive);
    }
    const PlayerSlot& seat_(int n) { return state.slot(n); }
};

TEST_F(TurnEngineTest, HumanTurnMessageOrder) {
    startWith({1});
    // Every connected slot gets each broadcast, in ascending slot order.
    ASSERT_EQ(port.sent.size(), 4u);
    EXPECT_EQ(port.sent[0].slot, 1);
    EXPECT_EQ(port.sent[1].slot, 7);
    EXPECT_EQ(port.sent[1].message, port.sent[0].message);
    EXPECT_EQ(seen(), (Strings{"CMD_startgame+Ann+0+", "CMD_nextplayer+1+1+1+2+3+4+5+6"}));
    EXPECT_FALSE(port.armed); // a present human has all the time in the world

    dice.push({1, 1, 2, 3, 4});
    roll("1+1+2+3+4+5");
    selectCat("1+3+");
    dice.push({3, 3}); // dice 1 and 2: 1 -> 3, 1 -> 3
    roll("1+1+2");
    dice.push({2, 5}); // die 3 shows 2: the 2 is drawn again
    roll("1+3");
    EXPECT_EQ(seen(), (Strings{"CMD_createdice+1+1+1+1+2+1+3+2+4+3+5+4", "CMD_selectedcat+1+3+",
                               "CMD_createdice+1+2+1+3+2+3", "CMD_createdice+1+3+3+5",
                               "CMD_postscores+1+9+9+3+"}));
    EXPECT_EQ(seat_(1).score(3), 9);
    EXPECT_EQ(seat_(1).total, 9);
    EXPECT_FALSE(seat_(1).turnactive);
    EXPECT_EQ(port.intervalMs, 750);

    ticks(4);
    EXPECT_TRUE(seen().empty());
    tick();
    EXPECT_EQ(seen(), Strings{"CMD_nextplayer+2+1+1+2+3+4+5+6"});
}

TEST_F(TurnEngineTest, ComputerTurnMessageOrderAndTiming) {
    startWith({}); // nobody seated: the computer plays seats 1 and 2
    EXPECT_TRUE(seat_(1).ingame);
    EXPECT_TRUE(seat_(2).ingame);
    EXPECT_FALSE(seat_(3).ingame);
    EXPECT_EQ(seen(), (Strings{"CMD_startgame+Ann+0+", "CMD_nextplayer+1+1+1+2+3+4+5+6"}));
    EXPECT_EQ(port.intervalMs, 350);

    dice.push({2, 2, 5, 5, 1});
    ticks(2);
    EXPECT_TRUE(seen().empty());
    tick();
    EXPECT_EQ(seen(), Strings{"CMD_createdice+1+1+1+2+2+2+3+5+4+5+5+1"});
    tick();
    EXPECT_EQ(seen(), Strings{"CMD_selectedcat+1+2+"});
    dice.push({2, 3, 2});
    tick();
    EXPECT_EQ(seen(), Strings{"CMD_createdice+1+2+3+2+4+3+5+2"});
    dice.push({6});
    tick();
    EXPECT_EQ(seen(), (Strings{"CMD_createdice+1+3+4+6", "CMD_postscores+1+8+8+2+"}));
    EXPECT_EQ(port.intervalMs, 750);
    ticks(4);
    EXPECT_TRUE(seen().empty());
    tick();
    EXPECT_EQ(seen(), Strings{"CMD_nextplayer+2+1+1+2+3+4+5+6"});
    EXPECT_EQ(engine.pendingAction(), TurnEngine::Action::ComputerMove);
    EXPECT_EQ(engine.countdown(), 3);
}

TEST_F(TurnEngineTest, ComputerKeepsFiveOfAKindAndRollsNoDie) {
    startWith({});
    seen();
    // Only face 4 open: it is set automatically before the first roll.
    for (int c : {1, 2, 3, 5, 6})
        state.slot(1).scores[static_cast<std::size_t>(c)] = 0;
    dice.push({4, 4, 4, 4, 4});
    ticks(3);
    tick();
    tick();
    EXPECT_EQ(seen(), (Strings{"CMD_selectedcat+1+4+", "CMD_createdice+1+1+1+4+2+4+3+4+4+4+5+4",
                               "CMD_createdice+1+2+0+0", "CMD_createdice+1+3+0+0",
                               "CMD_bonustime+1+20+20+4+"}));
}

TEST_F(TurnEngineTest, FirstRollBramble) {
    startWith({1});
    seen();
    dice.push({2, 3, 4, 5, 6});
    roll("1+1+2+3+4+5");
    EXPECT_EQ(seen(), Strings{"CMD_bramble+1+40+40+3+1+2+2+3+3+4+4+5+5+6"});
    EXPECT_EQ(seat_(1).score(7), 40);
    EXPECT_EQ(seat_(1).rolls, 3);
    EXPECT_FALSE(seat_(1).turnactive);
    roll("1+1");
    selectCat("1+2+");
    EXPECT_TRUE(seen().empty());
    EXPECT_EQ(engine.pendingAction(), TurnEngine::Action::NextTurn);

    // With the Bramble already scored a straight is an ordinary first roll.
    dice.strict = false;
    runUntilIdle(); // the pause, seat 2's computer turn, the pause
    dice.strict = true;
    ASSERT_EQ(state.turn.currentseat, 1);
    seen();
    dice.push({1, 2, 3, 4, 5});
    roll("1+1+2+3+4+5");
    EXPECT_EQ(seen(), Strings{"CMD_createdice+1+1+1+1+2+2+3+3+4+4+5+5"});
    EXPECT_TRUE(seat_(1).turnactive);
}

TEST_F(TurnEngineTest, BrambleAsWorkingCategoryScoresOnce) {
    startWith({1});
    for (int c = 1; c <= 6; ++c)
        state.slot(1).scores[static_cast<std::size_t>(c)] = 0;
    seen();
    dice.push({1, 1, 2, 3, 4});
    roll("1+1+2+3+4+5");
    dice.push({5});
    roll("1+1");
    roll("1+0");
    EXPECT_EQ(seen(), (Strings{"CMD_selectedcat+1+7+", "CMD_createdice+1+1+1+1+2+1+3+2+4+3+5+4",
                               "CMD_createdice+1+2+1+5", "CMD_createdice+1+3+0+0",
                               "CMD_postscores+1+15+15+7+"}));
    EXPECT_NE(lateJoin(3).back().find("+1*t*1*0*2*0*3*0*4*0*5*0*6*0*7*15*8*15+"),
              std::string::npos);
}

TEST_F(TurnEngineTest, NeedcatGoesToTheCurrentSeatOnly) {
    startWith({1, 3});
    seen();
    dice.push({1, 1, 2, 3, 4, 5});
    roll("1+1+2+3+4+5");
    roll("1+1");
    port.clear();
    roll("1+2+3");
    ASSERT_EQ(port.sent.size(), 1u);
    EXPECT_EQ(port.sent[0].slot, 1);
    EXPECT_EQ(port.sent[0].message, "CMD_needcat+1+");
    EXPECT_EQ(seat_(1).rolls, 2); // not counted

    selectCat("1+2+");
    selectCat("1+3+");
    EXPECT_EQ(port.notices, Strings{"working selected"});
    dice.push({2});
    roll("1+1");
    EXPECT_EQ(seat_(1).score(2), 4);
}

TEST_F(TurnEngineTest, NoticesForInconsistentRequests) {
    startWith({1});
    state.slot(1).scores[5] = 10;
    dice.push({1, 1, 2, 3, 4});
    roll("1+1+2+3+4+5");
    selectCat("1+5+");
    EXPECT_EQ(port.notices, Strings{"arleady selected"});
    EXPECT_EQ(seat_(1).workingcat, 0);

    // A computer seat without a category at its third roll cannot be asked for one.
    port.clear();
    state.slot(1).connected = false;
    roll("1+0");
    roll("1+0");
    EXPECT_EQ(port.notices, Strings{"error - player needs category"});

    // The automatic category finds nothing left.
    EngineRig rig;
    rig.connect(1);
    rig.start("A+0+");
    rig.state.slot(1).scores.fill(0);
    rig.dice.push({1, 1, 2, 3, 4});
    rig.roll("1+1+2+3+4+5");
    EXPECT_EQ(rig.port.notices, Strings{"error in auto selecting cat 7"});
    EXPECT_EQ(rig.state.slot(1).rolls, 1);
}

TEST_F(TurnEngineTest, CategoryRequestsAfterTheTurnIsScored) {
    // Once the turn is over a choice still earns its notice but never sets a category or
    // touches the pending next turn.
    struct Case {
        bool bramble; // scored by a first-roll Bramble (no working category) or by a third roll
        const char* request;
        Strings notices;
    } cases[] = {
        {false, "1+4+", {"working selected"}},
        {true, "1+7+", {"arleady selected"}},
        {true, "1+4+", {}},
    };
    for (const auto& c : cases) {
        EngineRig rig;
        rig.connect(1);
        rig.start("A+0+");
        if (c.bramble) {
            rig.dice.push({1, 2, 3, 4, 5});
            rig.roll("1+1+2+3+4+5");
        } else {
            rig.dice.push({1, 1, 2, 3, 4});
            rig.roll("1+1+2+3+4+5");
            rig.selectCat("1+2+");
            rig.roll("1+0");
            rig.roll("1+0");
        }
        ASSERT_FALSE(rig.seat(1).turnactive) << c.request;
        const int workingcat = rig.seat(1).workingcat;
        rig.port.clear();
        rig.selectCat(c.request);
        EXPECT_EQ(rig.port.notices, c.notices) << c.request;
        EXPECT_TRUE(rig.port.sent.empty()) << c.request;
        EXPECT_EQ(rig.seat(1).workingcat, workingcat) << c.request;
        EXPECT_EQ(rig.engine.pendingAction(), TurnEngine::Action::NextTurn) << c.request;
        EXPECT_EQ(rig.engine.countdown(), 5) << c.request;
    }
}

TEST_F(TurnEngineTest, RequestsThatDoNotFitAreIgnoredWhole) {
    startWith({1, 3});
    dice.push({1, 1, 2, 3, 4});
    roll("1+1+2+3+4+5");
    port.clear();
    const int drawn = dice.drawn;
    for (const char* payload :
         {"3+1+2", "1", "1+", "x+1", "1+6", "1+1+2+9", "1+-1", "1+1+x", "1+2+3+4+5+6", "7+1"})
        roll(payload);
    for (const char* payload : {"3+2+", "1+0+", "1+8+", "1+-1+", "1+x+", "1", "0+1+", "9+1+"})
        selectCat(payload);
    EXPECT_TRUE(port.sent.empty());
    EXPECT_TRUE(port.notices.empty());
    EXPECT_EQ(seat_(1).rolls, 1);
    EXPECT_EQ(seat_(1).workingcat, 0);
    EXPECT_EQ(dice.drawn, drawn);
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(seat_(1).score(c), -1);
}

TEST_F(TurnEngineTest, BonusLimits) {
    struct Case {
        const char* start;
        std::initializer_list<int> bonusDice;
        Strings expected;
    } cases[] = {
        {"A+0+",
         {1, 1, 2, 3, 4, 2, 2, 2, 2, 2},
         {"CMD_gotbonus+1+7+2+1+7+1+1+2+1+3+2+4+3+5+4", "CMD_bonusend+1+1+2+2+2+3+2+4+2+5+2"}},
        {"A+1+",
         {1, 1, 1, 1, 1},
         {"CMD_gotbonus+1+10+5+1+10+1+1+2+1+3+1+4+1+5+1", "CMD_bonusend+1+0+0"}},
        {"A+2+",
         {1, 2, 2, 2, 2, 1, 1, 2, 2, 2},
         {"CMD_gotbonus+1+6+1+1+6+1+1+2+2+3+2+4+2+5+2",
          "CMD_gotbonus+1+8+2+1+8+1+1+2+1+3+2+4+2+5+2", "CMD_bonusend+1+0+0"}},
        {"A+5+",
         {1, 3, 3, 3, 3, 6, 6, 6, 6, 6},
         {"CMD_gotbonus+1+6+1+1+6+1+1+2+3+3+3+4+3+5+3", "CMD_bonusend+1+1+6+2+6+3+6+4+6+5+6"}},
        {"A+junk+", {2, 2, 2, 2, 2}, {"CMD_bonusend+1+1+2+2+2+3+2+4+2+5+2"}},
    };
    for (const auto& c : cases) {
        EngineRig rig;
        rig.connect(1);
        rig.start(c.start);
        rig.dice.push({1, 1, 1, 1, 1});
        rig.selectCat("1+1+");
        rig.roll("1+1+2+3+4+5");
        rig.roll("1+0");
        rig.roll("1+0");
        ASSERT_EQ(rig.port.to(1).back(), "CMD_bonustime+1+5+5+1+") << c.start;
        rig.port.clear();
        rig.dice.push(c.bonusDice);
        rig.ticks(2);
        EXPECT_TRUE(rig.port.sent.empty());
        while (rig.engine.pendingAction() != TurnEngine::Action::NextTurn && rig.tick()) {
        }
        EXPECT_EQ(rig.port.to(1), c.expected) << c.start;
        EXPECT_EQ(rig.dice.left(), 0u) << c.start;
        EXPECT_EQ(rig.seat(1).total, rig.seat(1).score(1));
    }
}

TEST_F(TurnEngineTest, RoundsAndWinner) {
    startWith({1});
    seen();
    auto& s1 = state.slot(1);
    for (int c = 1; c <= 5; ++c)
        s1.scores[static_cast<std::size_t>(c)] = c;
    state.turn.currentseat = 2;
    state.turn.round = 6;
    engine.findplayer();
    EXPECT_EQ(seen(), Strings{"CMD_nextplayer+1+7+6+7"});
    s1.scores[7] = 0;
    state.turn.currentseat = 2;
    state.turn.round = 6;
    engine.findplayer();
    EXPECT_EQ(seen(), Strings{"CMD_nextplayer+1+7+6"});

    state.turn.currentseat = 2;
    state.slot(1).total = 30;
    state.slot(2).total = 45;
    state.slot(3).total = 45; // not in the game, still compared
    engine.findplayer();
    EXPECT_EQ(seen(), Strings{"CMD_winner+2+3+0+"});
    EXPECT_FALSE(state.turn.gamerunning);
    EXPECT_EQ(state.turn.round, 8);
    EXPECT_FALSE(port.armed);
}

TEST_F(TurnEngineTest, WholeGameAgainstTheComputer) {
    startWith({1}, "Ann+2+");
    dice.strict = false;
    int round = 0;
    for (int turn = 0; turn < 7; ++turn) {
        ASSERT_EQ(state.turn.currentseat, 1);
        EXPECT_EQ(state.turn.round, ++round);
        playHumanTurn(1);
        runUntilIdle(); // the pause, seat 2's computer turn, the pause again
    }
    Strings all = seen();
    EXPECT_EQ(all.back().rfind("CMD_winner+", 0), 0u);
    EXPECT_FALSE(state.turn.gamerunning);
    for (int seat : {1, 2})
        for (int c = 1; c <= 7; ++c)
            EXPECT_NE(seat_(seat).score(c), -1) << seat << c;
}

TEST_F(TurnEngineTest, StartDuringARunningGameStartsAfresh) {
    startWith({1, 3});
    dice.strict = false;
    playHumanTurn(1);
    runUntilIdle();
    ASSERT_EQ(state.turn.currentseat, 3);
    dice.push({1, 1, 2, 3, 4});
    roll("3+1+2+3+4+5");
    watch(3);
    ASSERT_TRUE(port.armed);
    seen();
    start("Ann+5+");
    EXPECT_EQ(seen(), (Strings{"CMD_startgame+Ann+5+", "CMD_nextplayer+1+1+1+2+3+4+5+6"}));
    EXPECT_FALSE(port.armed); // the computer move pending for seat 3 is gone
    EXPECT_FALSE(seat_(3).justwatch);
    EXPECT_FALSE(seat_(3).turnactive);
    for (int seat : {1, 2, 3}) {
        EXPECT_EQ(seat_(seat).total, 0);
        EXPECT_TRUE(seat_(seat).ingame);
        for (int c = 1; c <= 7; ++c)
            EXPECT_EQ(seat_(seat).score(c), -1);
    }
    EXPECT_EQ(state.turn.round, 1);
    EXPECT_EQ(state.turn.bonuslimit, 5);
    engine.timer1Timer(); // a stale tick does nothing
    EXPECT_TRUE(seen().empty());
}

TEST_F(TurnEngineTest, LeavingDuringOwnTurnSeats1And2AreFinishedByTheComputer) {
    for (int slot : {1, 2}) {
        EngineRig rig;
        rig.connect(1);
        rig.connect(2);
        rig.start("A+0+");
        rig.dice.strict = false;
        if (slot == 2) {
            rig.dice.push({1, 1, 2, 3, 4});
            rig.roll("1+1+2+3+4+5");
            rig.selectCat("1+1+");
            rig.roll("1+0");
            rig.roll("1+0");
            rig.runUntilIdle();
        }
        ASSERT_EQ(rig.state.turn.currentseat, slot);
        rig.dice.push({1, 1, 2, 3, 4});
        rig.roll(std::to_string(slot) + "+1+2+3+4+5");
        rig.leave(slot);
        EXPECT_EQ(rig.engine.pendingAction(), TurnEngine::Action::ComputerMove) << slot;
        EXPECT_EQ(rig.engine.countdown(), 1);
        EXPECT_EQ(rig.port.intervalMs, 350);
        rig.tick();
        EXPECT_EQ(rig.port.to(3 - slot).back(), "CMD_selectedcat+" + std::to_string(slot) + "+1+");
        // The computer plays on for that seat until the end of the game (and for the other
        // one, whose player leaves while not on turn).
        rig.leave(3 - slot);
        EXPECT_EQ(rig.engine.pendingAction(), TurnEngine::Action::ComputerMove);
        rig.runUntilIdle();
        EXPECT_FALSE(rig.state.turn.gamerunning) << slot;
        EXPECT_TRUE(rig.seat(slot).ingame);
        for (int c = 1; c <= 7; ++c)
            EXPECT_NE(rig.seat(slot).score(c), -1) << slot;
    }
}

TEST_F(TurnEngineTest, LeavingSeatsThreeToSix) {
    startWith({1, 3, 4});
    dice.strict = false;
    playHumanTurn(1);
    runUntilIdle(); // seat 2, computer
    ASSERT_EQ(state.turn.currentseat, 3);

    // Seat 4 leaves during seat 3's turn: it stays in and the computer plays it.
    leave(4);
    EXPECT_TRUE(seat_(4).ingame);
    EXPECT_FALSE(port.armed);
    playHumanTurn(3);
    port.clear();
    ticks(5);
    EXPECT_EQ(port.to(7), Strings{"CMD_nextplayer+4+1+1+2+3+4+5+6"});
    EXPECT_EQ(engine.pendingAction(), TurnEngine::Action::ComputerMove);
    runUntilIdle();
    ASSERT_EQ(state.turn.currentseat, 1);

    // Seat 3 leaves during its own active turn: out of the game, the next seat plays at once.
    playHumanTurn(1);
    runUntilIdle();
    ASSERT_EQ(state.turn.currentseat, 3);
    dice.push({1, 1, 2, 3, 4});
    roll("3+1+2+3+4+5");
    port.clear();
    leave(3);
    EXPECT_FALSE(seat_(3).ingame);
    ASSERT_EQ(port.to(7).size(), 1u);
    EXPECT_EQ(port.to(7)[0].rfind("CMD_nextplayer+4+2+", 0), 0u);
    EXPECT_EQ(state.turn.currentseat, 4);

    // A newcomer in slot 3 waits for the next game.
    connect(3);
    for (int turn = 3; turn <= 7; ++turn) {
        runUntilIdle();
        playHumanTurn(1);
    }
    runUntilIdle();
    EXPECT_FALSE(state.turn.gamerunning);
    for (const auto& m : port.to(7))
        EXPECT_NE(m.rfind("CMD_nextplayer+3+", 0), 0u) << m;
}

TEST_F(TurnEngineTest, LeavingWhileNotOnTurnOrAfterScoringChangesNothing) {
    startWith({1, 3});
    dice.strict = false;
    playHumanTurn(1);
    EXPECT_EQ(engine.pendingAction(), TurnEngine::Action::NextTurn);
    leave(1); // turn already scored: the pause runs on
    EXPECT_EQ(engine.pendingAction(), TurnEngine::Action::NextTurn);
    EXPECT_EQ(engine.countdown(), 5);
    runUntilIdle();
    ASSERT_EQ(state.turn.currentseat, 3);
    playHumanTurn(3);
    runUntilIdle(); // seat 1's turn is the computer's now
    EXPECT_EQ(state.turn.currentseat, 3);
    EXPECT_EQ(state.turn.round, 2);
    int scored = 0;
    for (int c = 1; c <= 7; ++c)
        scored += seat_(1).score(c) != -1;
    EXPECT_EQ(scored, 2);
}

TEST_F(TurnEngineTest, JustWatchTakesOverAnActiveTurn) {
    startWith({1});
    dice.push({1, 1, 2, 3, 4});
    roll("1+1+2+3+4+5");
    seen();
    watch(1);
    EXPECT_EQ(engine.pendingAction(), TurnEngine::Action::ComputerMove);
    EXPECT_EQ(engine.countdown(), 1);
    tick();
    EXPECT_EQ(seen(), Strings{"CMD_selectedcat+1+1+"});
    dice.push({1, 1, 1});
    tick();
    EXPECT_EQ(seen(), Strings{"CMD_createdice+1+2+3+1+4+1+5+1"});
}

TEST_F(TurnEngineTest, OwnerOfAJustWatchingSeatCannotPlayIt) {
    startWith({1});
    dice.push({1, 1, 2, 3, 4});
    host.dispatch(1, "CMD_rollthedice+1+1+2+3+4+5");
    host.dispatch(1, "CMD_justwatch+1+1");
    tick(); // the computer chooses ones
    seen();
    const auto dice_ = state.turn.dice;
    host.dispatch(1, "CMD_rollthedice+1+1+2+3+4+5");
    host.dispatch(1, "CMD_selectcat+1+2+");
    EXPECT_TRUE(seen().empty());
    EXPECT_EQ(state.turn.dice, dice_);
    EXPECT_EQ(seat_(1).rolls, 1);
    EXPECT_EQ(seat_(1).workingcat, 1);
    EXPECT_EQ(engine.pendingAction(), TurnEngine::Action::ComputerMove);

    // Back from watching, the seat is its owner's again.
    host.dispatch(1, "CMD_justwatch+1+2");
    seen();
    dice.push({1, 1, 1});
    host.dispatch(1, "CMD_rollthedice+1+3+4+5");
    EXPECT_EQ(seen(), Strings{"CMD_createdice+1+2+3+1+4+1+5+1"});
}

TEST_F(TurnEngineTest, HumanReturningWhileAComputerMoveIsPending) {
    startWith({1, 2});
    dice.strict = false;
    playHumanTurn(1);
    runUntilIdle();
    ASSERT_EQ(state.turn.currentseat, 2);

    // Back from just watching before the computer's move comes due.
    dice.push({1, 1, 2, 3, 4});
    roll("2+1+2+3+4+5");
    watch(2);
    state.slot(2).justwatch = false; // the seat logic's answer to mode "2"
    seen();
    tick();
    EXPECT_TRUE(seen().empty());
    EXPECT_FALSE(port.armed);
    EXPECT_EQ(seat_(2).workingcat, 0);

    // Seat 2 leaves and a new player takes slot 2 before the computer moves.
    leave(2);
    EXPECT_TRUE(port.armed);
    connect(2);
    tick();
    EXPECT_TRUE(seen().empty());
    selectCat("2+2+");
    roll("2+0");
    roll("2+0");
    EXPECT_FALSE(seat_(2).turnactive);
    EXPECT_NE(seat_(2).score(2), -1);
}

TEST_F(TurnEngineTest, LateJoinerMessages) {
    startWith({1, 4}, "Ann+2+");
    dice.push({6, 5, 1, 3, 2});
    roll("1+1+2+3+4+5");
    selectCat("1+5+");
    state.slot(2).scores[7] = 35;
    state.slot(2).total = 35;
    Strings joined = lateJoin(5);
    ASSERT_GE(joined.size(), 2u);
    EXPECT_EQ(joined[joined.size() - 2], "CMD_loadstats+5+1+2+1+1+5+1+6+2+5+3+1+4+3+5+2");
    EXPECT_EQ(joined.back(), "CMD_loadscores+5"
                             "+1*t*1*-1*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*0"
                             "+2*t*1*-1*2*-1*3*-1*4*-1*5*-1*6*-1*7*35*8*35"
                             "+3*f*1*-1*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*0"
                             "+4*t*1*-1*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*0"
                             "+5*f*1*-1*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*0"
                             "+6*f*1*-1*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*0");
}

} // namespace
