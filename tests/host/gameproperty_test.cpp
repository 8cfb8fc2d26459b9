// Thousands of seeded games with computer seats, humans who play at random, and players who
// come, go and switch to just watching at random moments. Every game must end with a winner
// after round 7 with consistent score sheets, however the seats changed hands.

#include "host/enginefixture.h"
#include "host/latejoin.h"
#include "host/rules.h"
#include "net/fields.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

using namespace core;

namespace {

constexpr int kObserver = 9; // a spectator who stays for the whole game and sees every broadcast

class GameSim {
public:
    explicit GameSim(unsigned seed) : m_rng(seed) {
        m_rig.dice = enginetest::ScriptedRandom(seed * 7919u + 1);
        m_rig.dice.strict = false;
    }

    // Plays one game; returns a description of the first broken rule, or "" when all held.
    std::string play() {
        for (int slot = 1; slot <= 8; ++slot)
            if (chance(50)) m_rig.connect(slot);
        m_rig.connect(kObserver);
        static const char* limits[] = {"0", "1", "2", "5"};
        m_rig.engine.startgame(std::string("Host+") + limits[m_rng() % 4] + "+");

        for (long step = 0; m_rig.state.turn.gamerunning; ++step) {
            if (step > 200000) return "game did not end";
            if (chance(2)) {
                seatEvent();
            } else if (humanOnTurn() && (!m_rig.port.armed || chance(50))) {
                humanMove();
            } else if (!m_rig.tick()) {
                return "stalled: nobody to move and no countdown";
            }
            if (auto broken = checkSheets(); !broken.empty()) return broken;
        }
        return checkEnd();
    }

private:
    bool chance(int percent) { return static_cast<int>(m_rng() % 100) < percent; }
    PlayerSlot& slot(int n) { return m_rig.state.slot(n); }

    bool humanOnTurn() {
        int seat = m_rig.state.turn.currentseat;
        return HostState::validSeat(seat) && slot(seat).turnactive && !m_rig.state.isComputerPlayed(seat);
    }

    // Arrivals, departures and just-watch switches, as the seat logic carries them out.
    void seatEvent() {
        int n = 1 + static_cast<int>(m_rng() % 8);
        if (!slot(n).connected) {
            int lowest = 1;
            while (slot(lowest).connected) ++lowest;
            m_rig.connect(lowest);
            // A late joiner's catch-up must describe the live game.
            std::string scores = loadscoresMessage(m_rig.state, lowest);
            for (int seat = 1; seat <= kSeatCount; ++seat)
                if (slot(seat).ingame &&
                    scores.find("+" + std::to_string(seat) + "*t*") == std::string::npos)
                    m_lateJoinError = "loadscores lost seat " + std::to_string(seat);
            return;
        }
        int r = static_cast<int>(m_rng() % 3);
        if (r == 0) {
            m_rig.leave(n);
        } else if (n <= kSeatCount && r == 1 && !slot(n).justwatch) {
            m_rig.watch(n);
        } else if (n <= kSeatCount) {
            slot(n).justwatch = false;
        }
    }

    // A human who knows the rules loosely: rolls random dice, sometimes picks a category too
    // early or a used one, sometimes sends nonsense.
    void humanMove() {
        const int seat = m_rig.state.turn.currentseat;
        const PlayerSlot& s = slot(seat);
        const std::string me = std::to_string(seat);
        int r = static_cast<int>(m_rng() % 100);
        if (r < 3) {
            static const char* junk[] = {"+9", "+-1", "+x", "", "+1+6", "+1+2+3+4+5+0+7"};
            if (chance(50))
                m_rig.engine.rollthedice(me + junk[m_rng() % 6]);
            else
                m_rig.engine.selectcat(me + junk[m_rng() % 6] + "+");
            return;
        }
        if (r < 8) { // any category, used or not
            m_rig.engine.selectcat(me + "+" + std::to_string(1 + m_rng() % 7) + "+");
            return;
        }
        if (s.rolls >= 1 && s.workingcat == 0 && (s.rolls == 2 || chance(40))) {
            auto open = openCategories(s.scores, m_rig.state.turn.round);
            if (open.empty()) open.push_back(kBrambleCategory);
            m_rig.engine.selectcat(me + "+" + std::to_string(open[m_rng() % open.size()]) + "+");
            return;
        }
        std::string payload = me;
        for (int d = 1; d <= kDiceCount; ++d)
            if (chance(50)) payload += "+" + std::to_string(d);
        if (payload == me) payload += "+0";
        m_rig.engine.rollthedice(payload);
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
                int category = command == "CMD_bramble" ? kBrambleCategory : f.nextInt().value_or(0);
                if (!scored.insert({seat, category}).second) return "scored twice: " + m;
            } else if (command == "CMD_winner") {
                ++winnerCount;
                SeatTotals totals{};
                for (int seat = 1; seat <= kSeatCount; ++seat)
                    totals[static_cast<std::size_t>(seat)] = slot(seat).total;
                std::vector<std::string> expect;
                for (int w : winners(totals)) expect.push_back(std::to_string(w));
                expect.push_back("0");
                if (m != buildMessage("CMD_winner", expect, true)) return "wrong winner " + m;
            }
        }
        if (winnerCount != 1 || seen.empty() || seen.back().rfind("CMD_winner+", 0) != 0)
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

    std::mt19937 m_rng;
    enginetest::EngineRig m_rig;
    std::string m_lateJoinError;
};

TEST(GameProperty, SeededGamesWithComingsAndGoingsAllEndSoundly) {
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        GameSim sim(seed);
        ASSERT_EQ(sim.play(), "") << "seed " << seed;
    }
}

} // namespace
