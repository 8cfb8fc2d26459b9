// SPDX-License-Identifier: GPL-3.0-or-later
// Seats held for dropped players, on the wire: real seat logic and turn engine, raw peers.
#include "host/enginefixture.h"

#include <gtest/gtest.h>

using namespace core;
using Strings = std::vector<std::string>;

namespace {

const std::string T(1, '\xff');

struct HoldRig : enginetest::EngineRig {
    std::int64_t now = 1000;
    std::vector<bool> capable = std::vector<bool>(10, false);

    HoldRig() {
        host.setClock([this] { return now; });
        host.setHoldSeconds(120);
        dice.strict = false;
    }
    void from(int slot, const std::string& text) {
        host.bytesReceived(slot, text + T);
        while (host.processNext()) {
        }
    }
    // A new connection; a copy that knows held seats says so before its login, and may show a
    // token. Returns the slot the login went to.
    int join(const std::string& name, bool knows = true, const std::string& token = "") {
        int slot = host.connectionAccepted();
        std::string n = std::to_string(slot);
        if (knows) from(slot, "CMD_canholdseat+" + n + "+");
        if (!token.empty()) from(slot, "CMD_reclaimseat+" + n + "+" + token);
        for (int s = 1; s <= kMaxSlot; ++s) // the connection may have moved
            if (state.slot(s).connected && !host.loggedIn(s) && (s == slot || !token.empty()))
                slot = s;
        from(slot, "CMD_logininfo+" + n + "+1.0.2+" + name);
        capable[static_cast<std::size_t>(slot)] = knows;
        return slot;
    }
    std::string tokenOf(int slot) const {
        std::string token;
        const std::string head = "CMD_seattoken+" + std::to_string(slot) + "+120+";
        for (const auto& m : port.to(slot))
            if (m.rfind(head, 0) == 0) token = m.substr(head.size());
        return token;
    }
    bool sentTo(int slot, const std::string& prefix) const {
        for (const auto& m : port.to(slot))
            if (m.rfind(prefix, 0) == 0) return true;
        return false;
    }
    void start() { from(1, "CMD_startgame+Ann+0+"); }
    // Plays whoever is on turn (humans by their requests, the computer by ticks) until `seat`
    // begins a turn.
    void untilTurnOf(int seat) {
        for (int guard = 0; guard < 2000; ++guard) {
            const int cur = state.turn.currentseat;
            const auto& s = state.slot(cur);
            if (cur == seat && s.turnactive && s.rolls == 0) return;
            if (s.turnactive && !state.isComputerPlayed(cur)) {
                humanMove(cur);
            } else if (!tick()) {
                FAIL() << "the game stopped";
            }
        }
        FAIL() << "seat " << seat << " never came on turn";
    }
    // Plays the game to its end as untilTurnOf does; the player in `silent` sends nothing.
    // False when the game stopped: nobody to move and nothing pending.
    bool playToEnd(int silent = 0) {
        for (int guard = 0; guard < 5000 && state.turn.gamerunning; ++guard) {
            const int cur = state.turn.currentseat;
            if (cur != silent && state.slot(cur).turnactive && !state.isComputerPlayed(cur))
                humanMove(cur);
            else if (!tick())
                return false;
        }
        return !state.turn.gamerunning;
    }
    void humanMove(int seat) {
        const auto& s = state.slot(seat);
        std::string n = std::to_string(seat);
        if (s.rolls == 1 && s.workingcat == 0) {
            int c = 1;
            while (s.score(c) != -1)
                ++c;
            from(seat, "CMD_selectcat+" + n + "+" + std::to_string(c) + "+");
        } else {
            from(seat, "CMD_rollthedice+" + n + (s.rolls == 0 ? "+1+2+3+4+5" : "+0"));
        }
    }
};

class SeatHold : public ::testing::Test, public HoldRig {};

} // namespace

TEST_F(SeatHold, TokensOnlyForSeatedCopiesThatKnowThemAndOnlyWhileAGameRuns) {
    int ann = join("Ann"), old = join("Old", false), cid = join("Cid");
    for (int i = 0; i < 3; ++i)
        join("Seat" + std::to_string(i), false);
    int spy = join("Spy");
    ASSERT_EQ(spy, 7);
    EXPECT_TRUE(tokenOf(ann).empty()) << "no game, no token";
    start();
    EXPECT_EQ(tokenOf(ann).size(), 32u);
    EXPECT_EQ(tokenOf(cid).size(), 32u);
    EXPECT_NE(tokenOf(ann), tokenOf(cid));
    EXPECT_TRUE(tokenOf(old).empty());
    EXPECT_FALSE(sentTo(spy, "CMD_seattoken")) << "spectators hold no seat";
    for (int s = 1; s <= 9; ++s) {
        if (capable[static_cast<std::size_t>(s)]) continue;
        for (const auto& m : port.to(s))
            EXPECT_EQ(m.find("CMD_seat"), std::string::npos) << m;
    }
}

// With the option off a copy that knows held seats is sent exactly what an old copy is sent,
// and with it on a table of old copies is too.
TEST_F(SeatHold, OffOrOldCopiesOnlyIsTodaysGameByteForByte) {
    auto transcript = [](bool knows, int holdSeconds) {
        HoldRig rig;
        rig.dice.strict = false;
        rig.host.setHoldSeconds(holdSeconds);
        rig.join("Ann", knows);
        rig.join("Bob", knows);
        int cid = rig.join("Cid", knows);
        rig.join("Spy", knows);
        rig.join("Spy2", knows);
        rig.join("Spy3", knows);
        rig.join("Spy4", knows);
        rig.start();
        rig.untilTurnOf(2);
        rig.host.connectionClosed(cid); // during another's turn
        rig.untilTurnOf(3);
        rig.now += 200000;
        rig.host.expireHolds();
        rig.join("Dee", knows);
        rig.runUntilIdle();
        std::vector<enginetest::Sent> sent = rig.port.sent;
        std::string all;
        for (const auto& s : sent)
            all += std::to_string(s.slot) + ":" + s.message + "\n";
        return all;
    };
    const std::string today = transcript(false, 0);
    EXPECT_EQ(transcript(true, 0), today);
    EXPECT_EQ(transcript(false, 120), today);
    EXPECT_NE(transcript(true, 120), today);
}

TEST_F(SeatHold, DropDuringOwnTurnKeepsTheSeatAndTheComputerFinishesIt) {
    join("Ann");
    join("Bob");
    int cid = join("Cid");
    int old = join("Old", false);
    start();
    untilTurnOf(cid);
    humanMove(cid); // first roll
    const std::string token = tokenOf(cid);
    port.clear();
    host.connectionClosed(cid);
    EXPECT_TRUE(seat(cid).ingame) << "held, not out of the game";
    EXPECT_EQ(port.to(1), (Strings{"CMD_playerdisconnected+3+Cid", "CMD_seatheld+3+120+Cid"}));
    EXPECT_EQ(port.to(old), (Strings{"CMD_playerdisconnected+3+Cid"}));
    EXPECT_EQ(engine.pendingAction(), TurnEngine::Action::ComputerMove);

    // A stranger gets another slot while the seat is held.
    EXPECT_EQ(join("Eve"), 5);
    // The computer finishes the turn; the next seat plays.
    untilTurnOf(4);
    EXPECT_EQ(std::count_if(seat(cid).scores.begin() + 1, seat(cid).scores.end(),
                            [](int v) { return v != -1; }),
              1);

    // Back with the token: the same seat, the same name, the game as it stands.
    port.clear();
    EXPECT_EQ(join("Cid again", true, token), cid);
    Strings back = port.to(cid);
    ASSERT_GE(back.size(), 4u);
    EXPECT_EQ(back[0], "CMD_seatreclaimed+3+");
    EXPECT_EQ(back[1].rfind("CMD_seattoken+3+120+", 0), 0u);
    EXPECT_NE(tokenOf(cid), token) << "a token is good for one return";
    EXPECT_EQ(back[2], "CMD_newplayerinfo+3+Cid+0");
    EXPECT_TRUE(sentTo(cid, "CMD_loadstats+3+4+"));
    EXPECT_TRUE(sentTo(cid, "CMD_loadscores+3+"));
    EXPECT_EQ(port.to(old), (Strings{"CMD_newplayerinfo+3+Cid+0"}));
    // Its next turn waits for the player.
    untilTurnOf(cid);
    EXPECT_FALSE(port.armed);
    EXPECT_FALSE(state.isComputerPlayed(cid));
}

TEST_F(SeatHold, BackBeforeTheComputerFinishedItsTurnPlaysFromTheNextTurn) {
    join("Ann");
    join("Bob");
    int cid = join("Cid");
    start();
    untilTurnOf(cid);
    const std::string token = tokenOf(cid);
    host.connectionClosed(cid);
    EXPECT_EQ(join("Cid", true, token), cid);
    EXPECT_TRUE(state.isComputerPlayed(cid));
    port.clear();
    from(cid, "CMD_rollthedice+3+1+2+3+4+5"); // the computer's turn now: ignored
    EXPECT_TRUE(port.sent.empty());
    untilTurnOf(1);
    EXPECT_FALSE(seat(cid).turnactive);
    untilTurnOf(cid);
    EXPECT_FALSE(port.armed) << "the seat's next turn waits for its player";
}

// The moments a player may drop; in each the seat stays in the game and is held.
TEST_F(SeatHold, DropsAtAnyMomentOfTheGameAreHeld) {
    struct Moment {
        const char* name;
        std::function<void(HoldRig&, int)> reach;
    };
    const std::vector<Moment> moments{
        {"another's turn", [](HoldRig& r, int) { r.untilTurnOf(2); }},
        {"own turn, no roll", [](HoldRig& r, int s) { r.untilTurnOf(s); }},
        {"bonus mode",
         [](HoldRig& r, int s) {
             r.untilTurnOf(s);
             r.dice.push({3, 3, 3, 3, 3});
             r.from(s, "CMD_rollthedice+3+1+2+3+4+5");
             r.from(s, "CMD_selectcat+3+3+");
             r.from(s, "CMD_rollthedice+3+0");
             r.from(s, "CMD_rollthedice+3+0");
             ASSERT_EQ(r.engine.pendingAction(), TurnEngine::Action::BonusRoll);
         }},
        {"first-roll Bramble",
         [](HoldRig& r, int s) {
             r.untilTurnOf(s);
             r.dice.push({1, 2, 3, 4, 5});
             r.from(s, "CMD_rollthedice+3+1+2+3+4+5");
             ASSERT_EQ(r.seat(s).score(7), 35);
         }},
    };
    for (const auto& m : moments) {
        SCOPED_TRACE(m.name);
        HoldRig r;
        r.join("Ann");
        r.join("Bob");
        int cid = r.join("Cid");
        r.start();
        m.reach(r, cid);
        const std::string token = r.tokenOf(cid);
        r.host.connectionClosed(cid);
        EXPECT_TRUE(r.host.seatHeld(cid));
        EXPECT_TRUE(r.seat(cid).ingame);
        r.untilTurnOf(1);
        EXPECT_EQ(r.join("Cid", true, token), cid);
        r.untilTurnOf(cid);
        EXPECT_FALSE(r.port.armed);
    }
}

TEST_F(SeatHold, HoldEndsAfterItsTimeAndTheSeatGoesAsAnyLeftSeat) {
    join("Ann");
    join("Bob");
    int cid = join("Cid");
    int old = join("Old", false);
    start();
    const std::string token = tokenOf(cid);
    host.connectionClosed(cid);
    now += 119999;
    host.expireHolds();
    EXPECT_TRUE(host.seatHeld(cid));
    now += 1;
    port.clear();
    host.expireHolds();
    EXPECT_FALSE(host.seatHeld(cid));
    EXPECT_EQ(port.to(1), (Strings{"CMD_seatfreed+3+Cid"}));
    EXPECT_TRUE(port.to(old).empty());
    EXPECT_TRUE(seat(cid).ingame) << "the computer goes on playing it";
    // The expired token gets an ordinary login, in the free slot it was given.
    EXPECT_EQ(join("Cid", true, token), cid);
    EXPECT_FALSE(sentTo(cid, "CMD_seatreclaimed"));
}

// A player who closes the window on purpose is not waited for.
TEST_F(SeatHold, AGoodbyeBeforeTheCloseIsNoDrop) {
    join("Ann");
    join("Bob");
    int cid = join("Cid");
    start();
    port.clear();
    from(cid, "CMD_leaving+" + std::to_string(cid) + "+");
    host.connectionClosed(cid);
    EXPECT_FALSE(host.seatHeld(cid));
    EXPECT_FALSE(sentTo(1, "CMD_seatheld"));
    EXPECT_TRUE(sentTo(1, "CMD_playerdisconnected+3+Cid"));
}

// A hold ends with its game, and the tables that showed the seat as held hear it is free.
TEST_F(SeatHold, HoldsEndingWithTheGameFreeTheirSeats) {
    join("Ann");
    join("Bob");
    int cid = join("Cid");
    start();
    host.connectionClosed(cid);
    port.clear();
    ASSERT_TRUE(playToEnd());
    const Strings& ann = port.to(1);
    auto winner = std::find_if(ann.begin(), ann.end(),
                               [](const std::string& m) { return m.rfind("CMD_winner+", 0) == 0; });
    ASSERT_NE(winner, ann.end());
    EXPECT_NE(std::find(winner, ann.end(), "CMD_seatfreed+3+Cid"), ann.end());
    EXPECT_FALSE(host.seatHeld(cid));
}

TEST_F(SeatHold, WrongUsedOrOldTokensAndSpectatorsGetNothing) {
    join("Ann");
    join("Bob");
    int cid = join("Cid");
    join("Dee");
    join("Eve");
    join("Fay");
    int spy = join("Spy");
    start();
    const std::string first = tokenOf(cid);
    host.connectionClosed(spy);
    EXPECT_FALSE(host.seatHeld(spy));
    EXPECT_EQ(join("Spy2"), spy) << "a spectator's slot is not held";

    host.connectionClosed(cid);
    std::string wrong = first;
    wrong[0] = wrong[0] == '0' ? '1' : '0';
    for (const std::string& bad : {wrong, std::string("zz"), first + "0", std::string()}) {
        int slot = join("Guess", true, bad);
        EXPECT_NE(slot, cid) << bad;
        host.connectionClosed(slot);
    }
    EXPECT_TRUE(host.seatHeld(cid));

    // A new game makes the old tokens worthless.
    start();
    EXPECT_FALSE(host.seatHeld(cid));
    int back = join("Cid", true, first);
    EXPECT_FALSE(sentTo(back, "CMD_seatreclaimed"));
}

TEST_F(SeatHold, OneReclaimPerConnectionAndNoneAfterTheLoginOrTheGame) {
    join("Ann");
    join("Bob");
    int cid = join("Cid");
    start();
    const std::string token = tokenOf(cid);
    host.connectionClosed(cid);
    int slot = host.connectionAccepted();
    const std::string n = std::to_string(slot);
    from(slot, "CMD_reclaimseat+" + n + "+00000000000000000000000000000000");
    from(slot, "CMD_reclaimseat+" + n + "+" + token); // a second guess is not heard
    EXPECT_TRUE(host.seatHeld(cid));
    from(slot, "CMD_logininfo+" + n + "+1.0.2+Guess");
    from(slot, "CMD_reclaimseat+" + n + "+" + token);
    EXPECT_TRUE(host.seatHeld(cid));
    // A kicked player is not held.
    int dee = join("Dee");
    host.connectionClosed(slot);
    from(1, "CMD_kickhim+1+" + std::to_string(dee) + "+");
    host.connectionClosed(dee);
    EXPECT_FALSE(host.seatHeld(dee));
}

// The player had handed the seat to the computer and then dropped: back in it, the seat stays
// on just watch, on the host and on every table, and the computer goes on playing it.
TEST_F(SeatHold, ReturnToAWatchedSeatKeepsItWatchedEverywhere) {
    join("Ann");
    join("Bob");
    int cid = join("Cid");
    start();
    from(cid, "CMD_justwatch+3+1");
    const std::string token = tokenOf(cid);
    host.connectionClosed(cid);
    port.clear();
    ASSERT_EQ(join("Cid", true, token), cid);
    for (int table : {1, 2, cid})
        EXPECT_EQ(port.to(table).back(), "CMD_justwatching+3+1") << "table " << table;
    EXPECT_TRUE(seat(cid).justwatch);
    // Its window shows the computer playing: it sends nothing, and the game goes on.
    EXPECT_TRUE(playToEnd(cid));
}

// A returning connection may first be given the free seat the computer is playing, during its
// turn, and a relay may hold its reclaim back for a few ticks: the computer plays on.
TEST_F(SeatHold, ReturnThroughTheComputersSeatLeavesTheComputerPlaying) {
    join("Ann");
    join("Bob");
    int cid = join("Cid");
    host.connectionClosed(2); // seat 2 is the computer's in the game
    start();
    const std::string token = tokenOf(cid);
    host.connectionClosed(cid);
    untilTurnOf(2);
    const int waiting = host.connectionAccepted();
    ASSERT_EQ(waiting, 2);
    ticks(4);
    EXPECT_GT(seat(2).rolls, 0) << "a connection that has not logged in plays nothing";
    from(waiting, "CMD_canholdseat+2+");
    from(waiting, "CMD_reclaimseat+2+" + token);
    from(cid, "CMD_logininfo+2+1.0.2+Cid");
    ASSERT_TRUE(host.loggedIn(cid));
    EXPECT_TRUE(playToEnd());
}
