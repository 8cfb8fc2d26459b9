// SPDX-License-Identifier: GPL-3.0-or-later
// A whole scripted game between real table clients and the real host, with every message in
// both directions and every effect the clients show recorded line by line, compared with the
// transcript kept beside this file. Any change to a wire byte, a message order, a chat line or
// a sound cue shows up as a difference.
//
// After a deliberate change of behaviour, regenerate the transcript with
//   BRAMBLIES_RECORD_TRANSCRIPT=1 ./core_tests --gtest_filter='GameTranscript.*'
// and read the diff before committing it.

#include "client/fakeclientport.h"
#include "client/tableclient.h"
#include "game/randomsource.h"
#include "host/gamehost.h"
#include "host/hostport.h"
#include "host/hoststate.h"
#include "host/turnengine.h"
#include "net/fields.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace {

// The same faces on every machine (no standard distribution involved).
class FixedDice : public core::RandomSource {
public:
    int face() override {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int>((m_state >> 33) % 6) + 1;
    }

private:
    std::uint64_t m_state = 10; // a game with brambles and a bonus
};

std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

class Table;

// One player's window, reduced to its client and a port that logs and forwards.
class Player : public test::FakeClientPort {
public:
    Player(Table& table, std::string name) : m_table(table), m_name(std::move(name)) {}
    core::TableClient client{*this, 7};
    int slot = 0;
    bool open = false;
    bool raw = false; // speaks only what the script sends; what arrives is logged, not handled

    void connectToHost(const std::string& address, int port) override;
    void send(const std::string& message) override;
    void startListening() override {}
    void openCompanion(const std::string&, int) override {}
    void showGameOptions() override;
    const std::string& name() const { return m_name; }

private:
    Table& m_table;
    std::string m_name;
};

class Table : public core::HostPort {
public:
    std::ostringstream log;
    FixedDice dice;
    core::HostState state{*this};
    core::TurnEngine engine{state, dice};
    core::GameHost host{state, &engine};
    std::map<int, Player*> bySlot;
    std::deque<std::pair<int, std::string>> toClients;
    std::deque<int> closing;
    bool armed = false;

    // HostPort
    void send(int slot, const std::string& message) override {
        log << "host>" << slot << ' ' << printable(message) << '\n';
        toClients.emplace_back(slot, message);
    }
    void close(int slot) override {
        log << "host closes " << slot << '\n';
        closing.push_back(slot);
    }
    void notice(const std::string& text) override { log << "notice " << text << '\n'; }
    void armCountdown(int ms) override {
        log << "arm " << ms << '\n';
        armed = true;
    }
    void stopCountdown() override {
        if (armed) log << "stop\n";
        armed = false;
    }
    int botSpeedMs() const override { return 750; }

    void accept(Player& p) {
        p.slot = host.connectionAccepted([&](int slot) { bySlot[slot] = &p; });
        p.open = true;
        log << p.name() << " connected as " << p.slot << '\n';
    }
    void fromClient(Player& p, const std::string& message) {
        log << p.name() << '>' << ' ' << printable(message) << '\n';
        host.bytesReceived(p.slot, message + core::kTerminator);
    }
    void leave(Player& p) {
        log << p.name() << " leaves\n";
        p.open = false;
        host.connectionClosed(p.slot);
        bySlot.erase(p.slot);
    }

    // Everything in flight is delivered and handled, host output before the next request.
    void settle() {
        for (;;) {
            if (!toClients.empty()) {
                auto [slot, message] = toClients.front();
                toClients.pop_front();
                auto it = bySlot.find(slot);
                if (it == bySlot.end() || !it->second->open) continue;
                Player& p = *it->second;
                if (p.raw) continue;
                const std::size_t before = p.events.size();
                p.client.handleMessage(message);
                for (std::size_t i = before; i < p.events.size(); ++i)
                    if (p.events[i].rfind("send:", 0) != 0)
                        log << "  " << p.name() << ' ' << printable(p.events[i]) << '\n';
            } else if (!closing.empty()) {
                int slot = closing.front();
                closing.pop_front();
                auto it = bySlot.find(slot);
                if (it != bySlot.end())
                    leave(*it->second);
                else
                    host.connectionClosed(slot);
            } else if (host.hasPending()) {
                host.processNext();
            } else {
                return;
            }
        }
    }
};

void Player::connectToHost(const std::string&, int) {
    m_table.accept(*this);
}
void Player::send(const std::string& message) {
    m_table.fromClient(*this, message);
}
void Player::showGameOptions() {
    client.sendStartGame(2);
}

// The local player's turn, played through the window's controls: roll, pick the first open
// category, hold the dice that show its face, roll again.
bool myTurn(const Player& p) {
    return p.client.myslot() != 0 && p.client.turnseat() == p.client.myslot();
}

bool playTurn(Player& p) {
    const core::BoardModel& b = p.client.board();
    if (!myTurn(p) || !b.rollVisible) return false;
    if (b.rollsUsed() > 0 && b.workingCategory == 0) {
        for (int c = 1; c <= 7; ++c)
            if (b.category(c).selectable) {
                p.client.categoryClick(c);
                return true;
            }
    }
    if (b.workingCategory >= 1 && b.workingCategory <= 6)
        for (int d = 1; d <= 5; ++d)
            if (b.die(d).face == b.workingCategory && !b.die(d).held)
                p.client.image_dMouseUp(d, core::MouseButton::Left);
    p.client.button_rollClick();
    return true;
}

std::string playScriptedGame() {
    Table t;
    Player ann(t, "Ann"), bob(t, "Bob"), cat(t, "Cat"), dan(t, "Dan"), eve(t, "Eve"), fay(t, "Fay"),
        gus(t, "Gus"), hal(t, "Hal");

    ann.client.processparams({"Ann", "somewhere", "true"});
    t.settle();
    for (Player* p : {&bob, &cat, &dan, &eve, &fay, &gus}) {
        p->client.processparams({p->name(), "127.0.0.1", "false"});
        t.settle();
    }
    t.fromClient(bob, "CMD_chat+2+hello all|$00FF00FF");
    t.fromClient(cat, "CMD_action+3+waves|$00000000");
    t.fromClient(gus, "CMD_playasound+7+wave5+");
    t.fromClient(eve, "CMD_chat+2+not me|0"); // in another's name: dropped
    t.settle();
    t.leave(eve);
    t.leave(fay);
    // An old copy logs in, then the table fills up and a tenth connection is turned away.
    Player ivy(t, "Ivy"), r5(t, "R5"), r6(t, "R6"), r8(t, "R8"), r9(t, "R9"), r10(t, "R10");
    for (Player* p : {&ivy, &r5, &r6, &r8, &r9, &r10})
        p->raw = true;
    t.accept(ivy);
    t.fromClient(ivy, "CMD_logininfo+4+0.9+Ivy");
    t.settle();
    for (Player* p : {&r5, &r6, &r8, &r9, &r10})
        t.accept(*p);
    t.settle();
    for (Player* p : {&ivy, &r5, &r6, &r8, &r9})
        t.leave(*p);
    t.settle();
    ann.client.kicking(4); // Dan
    t.settle();
    ann.client.button_startClick();
    t.settle();

    std::vector<Player*> players{&ann, &bob, &cat, &gus, &hal};
    bool halIn = false, bobWatching = false, catGone = false;
    for (int step = 0; t.state.turn.gamerunning; ++step) {
        if (step > 20000) return t.log.str() + "STALLED\n";
        const int round = t.state.turn.round;
        if (round == 2 && !bobWatching && myTurn(bob)) {
            bob.client.JustWatch1Click();
            bobWatching = true;
            t.settle();
            continue;
        }
        if (round == 3 && !halIn) {
            hal.client.processparams({"Hal", "127.0.0.1", "false"});
            halIn = true;
            t.settle();
            continue;
        }
        if (round == 5 && bobWatching && bob.client.justWatchChecked()) {
            bob.client.JustWatch1Click();
            t.settle();
            continue;
        }
        if (round == 6 && !catGone) {
            t.leave(cat);
            catGone = true;
            t.settle();
            continue;
        }
        bool moved = false;
        for (Player* p : players)
            if (p->open && playTurn(*p)) {
                moved = true;
                break;
            }
        if (!moved) {
            if (!t.armed) return t.log.str() + "STALLED\n";
            t.log << "tick\n";
            t.engine.timer1Timer();
        }
        t.settle();
    }
    return t.log.str();
}

std::filesystem::path transcriptPath() {
    return std::filesystem::path(BRAMBLIES_TESTS_DIR) / "net" / "gametranscript.txt";
}

TEST(GameTranscript, AScriptedGameIsByteForByteTheRecordedOne) {
    const std::string played = playScriptedGame();
    ASSERT_EQ(played.find("STALLED"), std::string::npos) << played;
    ASSERT_NE(played.find("CMD_winner+"), std::string::npos);
    if (std::getenv("BRAMBLIES_RECORD_TRANSCRIPT")) {
        std::ofstream(transcriptPath(), std::ios::binary) << played;
        GTEST_SKIP() << "transcript recorded";
    }
    std::ifstream in(transcriptPath(), std::ios::binary);
    ASSERT_TRUE(in) << "missing " << transcriptPath();
    std::stringstream expected;
    expected << in.rdbuf();
    // Line by line, so a failure names the first line that differs.
    std::istringstream a(expected.str()), b(played);
    std::string want, got;
    for (int line = 1; std::getline(a, want); ++line) {
        ASSERT_TRUE(std::getline(b, got)) << "transcript ends early at line " << line;
        ASSERT_EQ(want, got) << "line " << line;
    }
    EXPECT_FALSE(std::getline(b, got)) << "extra line: " << got;
}

} // namespace
