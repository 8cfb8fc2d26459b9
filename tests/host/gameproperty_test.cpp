// SPDX-License-Identifier: GPL-3.0-or-later
// Thousands of seeded games with computer seats, humans who play at random, and players who
// come, go, come back to their held seats and switch to just watching at random moments, all
// through the seat logic as the network would drive it. A player's window plays only while it
// was told it plays. Every game must end with a winner after round 7 with consistent score
// sheets, however the seats changed hands; and once everybody has gone, the timer alone ends it.

#include "game/rules.h"
#include "host/enginefixture.h"
#include "net/fields.h"
#include "net/messages.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <set>
#include <utility>

using namespace core;

namespace {

constexpr int kObserver = 9; // a spectator who stays for the whole game and sees every broadcast

class GameSim {
public:
    explicit GameSim(unsigned seed) : m_rng(seed) {
        m_rig.dice = enginetest::ScriptedRandom(seed * 7919u + 1);
        m_rig.dice.strict = false;
        m_rig.host.setClock([] { return std::int64_t{0}; }); // holds last the whole game
        m_rig.host.setHoldSeconds(120);
    }

    // Plays one game; returns a description of the first broken rule, or "" when all held.
    std::string play() {
        // Nine arrive so that the observer gets slot 9; some of the others leave at once.
        for (int n = 1; n <= kObserver; ++n)
            join();
        for (int n = 2; n < kObserver; ++n)
            if (chance(50)) host().connectionClosed(n);
        static const char* limits[] = {"0", "1", "2", "5"};
        from(1, std::string("CMD_startgame+Host+") + limits[m_rng() % 4] + "+");
        if (chance(30)) host().connectionClosed(1); // the starter is gone before playing
        const long quietAt = chance(25) ? static_cast<long>(m_rng() % 3000) : -1;

        for (long step = 0; m_rig.state.turn.gamerunning; ++step) {
            if (step > 200000) return "game did not end";
            readWindows();
            if (step == quietAt) {
                if (auto stalled = everybodyGoes(); !stalled.empty()) return stalled;
                break;
            }
            if (m_returning.slot != 0 && chance(20)) {
                finishReturn();
            } else if (chance(2)) {
                seatEvent();
            } else if (humanOnTurn() && (!m_rig.port.armed || chance(50))) {
                humanMove();
            } else if (m_rig.port.armed) {
                host().timer1Tick();
            } else {
                return "stalled: nobody to move and no countdown";
            }
            if (auto broken = checkSheets(); !broken.empty()) return broken;
        }
        return checkEnd();
    }

private:
    bool chance(int percent) { return static_cast<int>(m_rng() % 100) < percent; }
    PlayerSlot& slot(int n) { return m_rig.state.slot(n); }
    GameHost& host() { return m_rig.host; }
    void from(int slot, const std::string& entry) { host().dispatch(slot, entry); }

    // A connection is accepted and logs in; during a game its catch-up must describe the
    // live game.
    void join() {
        int n = host().connectionAccepted();
        if (!HostState::validSlot(n)) return;
        m_watching[static_cast<std::size_t>(n)] = false; // a new window
        if (chance(70)) from(n, "CMD_canholdseat+" + std::to_string(n) + "+");
        from(n, "CMD_logininfo+" + std::to_string(n) + "+1.0.2+P" + std::to_string(n));
        if (!m_rig.state.turn.gamerunning || !m_lateJoinError.empty()) return;
        auto got = m_rig.port.to(n);
        if (got.back().rfind("CMD_seattoken+", 0) == 0) got.pop_back(); // follows the catch-up
        const auto stats = msg::toClient::Loadstats::read(splitEntry(got[got.size() - 2]).payload);
        const auto scores = msg::toClient::Loadscores::read(splitEntry(got.back()).payload);
        const TurnState& turn = m_rig.state.turn;
        const PlayerSlot& current = slot(turn.currentseat);
        if (stats.slot != n || stats.seat != turn.currentseat || stats.rolls != current.rolls ||
            !stats.round || stats.round->value != turn.round ||
            stats.workingcat != current.workingcat || !stats.limit ||
            stats.limit->value != turn.bonuslimit || !stats.complete || stats.dice.size() != 5u)
            m_lateJoinError = "loadstats differs from the game: " + got[got.size() - 2];
        for (int d = 1; d <= kDiceCount && m_lateJoinError.empty(); ++d)
            if (stats.dice[static_cast<std::size_t>(d - 1)].face !=
                turn.dice[static_cast<std::size_t>(d)])
                m_lateJoinError = "loadstats dice differ";
        if (scores.seats.size() != kSeatCount) {
            m_lateJoinError = "loadscores unreadable: " + got.back();
            return;
        }
        for (const auto& entry : scores.seats) {
            const PlayerSlot& s = slot(entry.seat);
            bool same =
                entry.complete && entry.cells.size() == 8u && entry.flag == (s.ingame ? "t" : "f");
            for (const auto& cell : entry.cells)
                same = same && cell.value.value == (cell.row == 8 ? s.total : s.score(cell.row));
            if (!same)
                m_lateJoinError = "loadscores differs for seat " + std::to_string(entry.seat);
        }
    }

    bool humanOnTurn() {
        int seat = m_rig.state.turn.currentseat;
        return HostState::validSeat(seat) && slot(seat).turnactive &&
               !m_rig.state.isComputerPlayed(seat) && !m_watching[static_cast<std::size_t>(seat)];
    }

    // What each window was told since the last step: whether its seat is on just watch (a
    // window keeps that through a return) and its latest seat token.
    void readWindows() {
        const auto& sent = m_rig.port.sent;
        for (; m_read < sent.size(); ++m_read) {
            const auto& [n, m] = sent[m_read];
            auto [command, payload] = splitEntry(m);
            FieldReader f(payload);
            const auto seat = f.nextInt();
            if (seat != n) continue;
            if (command == "CMD_justwatching")
                m_watching[static_cast<std::size_t>(n)] = f.nextInt() == msg::kJustWatchOn;
            else if (command == "CMD_seattoken" && !f.next().empty())
                m_tokens[static_cast<std::size_t>(n)] = std::string(f.rest());
        }
    }

    // A player comes back to its held seat: the connection gets the lowest free slot at once,
    // and its reclaim and login arrive some steps later, as through a slow relay.
    void startReturn(int seat) {
        const int n = host().connectionAccepted();
        if (!HostState::validSlot(n)) return;
        m_returning = {n, seat};
    }
    void finishReturn() {
        const auto [n, seat] = std::exchange(m_returning, Returning{});
        if (!slot(n).connected || host().loggedIn(n)) return; // closed meanwhile
        const std::string me = std::to_string(n);
        from(n, "CMD_canholdseat+" + me + "+");
        from(n, "CMD_reclaimseat+" + me + "+" + m_tokens[static_cast<std::size_t>(seat)]);
        const bool back = slot(seat).connected && !host().loggedIn(seat);
        if (!back) m_watching[static_cast<std::size_t>(n)] = false; // an ordinary newcomer
        from(back ? seat : n, "CMD_logininfo+" + me + "+1.0.2+R" + me);
    }

    // Every connection closes (a waiting return stays silent): with nobody sending anything the
    // timer must bring the end.
    std::string everybodyGoes() {
        for (int n = 1; n < kObserver && m_rig.state.turn.gamerunning; ++n)
            if (n != m_returning.slot) host().connectionClosed(n);
        for (int ticks = 0; m_rig.state.turn.gamerunning; ++ticks) {
            if (!m_rig.port.armed) return "stalled after everybody went";
            if (ticks > 20000) return "no end after everybody went";
            host().timer1Tick();
        }
        return {};
    }

    // Arrivals, departures, just-watch switches and requests made in another seat's name.
    void seatEvent() {
        int n = 1 + static_cast<int>(m_rng() % 8);
        if (!slot(n).connected) {
            if (host().seatHeld(n) && m_returning.slot == 0)
                startReturn(n);
            else
                join();
            return;
        }
        const std::string me = std::to_string(n);
        switch (m_rng() % 5) {
        case 0:
            host().connectionClosed(n);
            break;
        case 1:
            from(n, "CMD_justwatch+" + me + "+1");
            break;
        case 2:
            from(n, "CMD_justwatch+" + me + "+2");
            break;
        case 3: // own requests at any moment: out of turn, while watching, during a pause
            from(n, chance(50) ? "CMD_selectcat+" + me + "+" + std::to_string(1 + m_rng() % 7) + "+"
                               : "CMD_rollthedice+" + me + "+1");
            break;
        default: { // spoofed: must change nothing
            const std::string other = std::to_string(m_rig.state.turn.currentseat);
            from(n, chance(50) ? "CMD_rollthedice+" + other + "+1+2"
                               : "CMD_selectcat+" + other + "+3+");
        }
        }
    }

    // A human who knows the rules loosely: rolls random dice, sometimes picks a category too
    // early or a used one, sometimes sends nonsense.
    void humanMove() {
        const int seat = m_rig.state.turn.currentseat;
        const PlayerSlot& s = slot(seat);
        const std::string roll = "CMD_rollthedice+" + std::to_string(seat);
        const std::string select = "CMD_selectcat+" + std::to_string(seat);
        int r = static_cast<int>(m_rng() % 100);
        if (r < 3) {
            static const char* junk[] = {"+9", "+-1", "+x", "", "+1+6", "+1+2+3+4+5+0+7"};
            from(seat, (chance(50) ? roll : select) + junk[m_rng() % 6] + "+");
            return;
        }
        if (r < 8) { // any category, used or not
            from(seat, select + "+" + std::to_string(1 + m_rng() % 7) + "+");
            return;
        }
        if (s.rolls >= 1 && s.workingcat == 0 && (s.rolls == 2 || chance(40))) {
            auto open = openCategories(s.scores, m_rig.state.turn.round);
            if (open.empty()) open.push_back(kBrambleCategory);
            from(seat, select + "+" + std::to_string(open[m_rng() % open.size()]) + "+");
            return;
        }
        std::string payload = roll;
        for (int d = 1; d <= kDiceCount; ++d)
            if (chance(50)) payload.append("+").append(std::to_string(d));
        if (payload == roll) payload += "+0";
        from(seat, payload);
    }

    std::string checkSheets() {
        if (!m_lateJoinError.empty()) return m_lateJoinError;
        for (int seat = 1; seat <= kSeatCount; ++seat) {
            int sum = 0;
            for (int c = 1; c <= kCategoryCount; ++c)
                if (slot(seat).score(c) != -1) sum += slot(seat).score(c);
            if (sum != slot(seat).total)
                return "seat " + std::to_string(seat) + " total differs from its sheet";
        }
        return {};
    }

    std::string checkEnd() {
        std::set<std::pair<int, int>> scored;
        std::map<int, int> turns;
        std::vector<std::set<int>> seatsInRound(kRounds + 2);
        int lastRound = 0;
        int winnerCount = 0;
        const auto seen = m_rig.port.to(kObserver);
        for (const auto& m : seen) {
            auto [command, payload] = splitEntry(m);
            FieldReader f(payload);
            if (command == "CMD_nextplayer") {
                int seat = f.nextInt().value_or(0);
                int round = f.nextInt().value_or(0);
                if (round < lastRound || round < 1 || round > kRounds) return "bad round " + m;
                if (seat == 1 && round != lastRound + 1) return "round not counted on seat 1";
                if (!seatsInRound[static_cast<std::size_t>(round)].insert(seat).second)
                    return "two turns in one round: " + m;
                lastRound = round;
                ++turns[seat];
            } else if (command == "CMD_postscores" || command == "CMD_bonustime" ||
                       command == "CMD_bramble") {
                int seat = f.nextInt().value_or(0);
                f.next();
                f.next();
                int category =
                    command == "CMD_bramble" ? kBrambleCategory : f.nextInt().value_or(0);
                if (!scored.insert({seat, category}).second) return "scored twice: " + m;
            } else if (command == "CMD_winner") {
                ++winnerCount;
                SeatTotals totals{};
                for (int seat = 1; seat <= kSeatCount; ++seat)
                    totals[static_cast<std::size_t>(seat)] = slot(seat).total;
                if (m != msg::toClient::Winner::build(winners(totals))) return "wrong winner " + m;
            }
        }
        // After the winner only the seats still held are freed.
        auto last = std::find_if(seen.rbegin(), seen.rend(), [](const std::string& m) {
            return m.rfind("CMD_seatfreed+", 0) != 0;
        });
        if (winnerCount != 1 || last == seen.rend() || last->rfind("CMD_winner+", 0) != 0)
            return "game did not end with one CMD_winner";
        if (lastRound != kRounds || m_rig.state.turn.round != kRounds + 1)
            return "game ended before round 7";
        for (int seat = 1; seat <= kSeatCount; ++seat) {
            if (!slot(seat).ingame) continue;
            if (turns[seat] != kRounds) return "seat in game missed turns";
            for (int c = 1; c <= kCategoryCount; ++c)
                if (slot(seat).score(c) == -1)
                    return "seat " + std::to_string(seat) + " left category open";
        }
        if (!slot(1).ingame || !slot(2).ingame) return "seat 1 or 2 not in the game";
        return {};
    }

    struct Returning {
        int slot = 0; // where the returning connection waits; 0: nobody
        int seat = 0;
    };

    std::mt19937 m_rng;
    enginetest::EngineRig m_rig;
    std::string m_lateJoinError;
    std::array<bool, kObserver + 1> m_watching{};
    std::array<std::string, kObserver + 1> m_tokens{};
    std::size_t m_read = 0;
    Returning m_returning;
};

TEST(GameProperty, SeededGamesWithComingsAndGoingsAllEndSoundly) {
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        GameSim sim(seed);
        ASSERT_EQ(sim.play(), "") << "seed " << seed;
    }
}

} // namespace
