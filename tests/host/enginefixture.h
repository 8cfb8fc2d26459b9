// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fakes for driving the turn engine without sockets or clocks: a port that records what the
// host sends and whether its countdown is armed, dice that follow a script, and a fixture that
// plays the seat logic's part (connect, leave, just watch) on the host state directly.

#include "game/randomsource.h"
#include "host/gamehost.h"
#include "host/hostport.h"
#include "host/hoststate.h"
#include "host/turnengine.h"

#include <algorithm>
#include <deque>
#include <initializer_list>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace enginetest {

struct Sent {
    int slot;
    std::string message;
};

class RecordingPort : public core::HostPort {
public:
    std::vector<Sent> sent;
    std::vector<std::string> notices;
    bool armed = false;
    int intervalMs = 0;
    int botSpeed = 350;
    bool record = true;

    void send(int slot, const std::string& message) override {
        if (record) sent.push_back({slot, message});
    }
    void close(int) override {}
    void notice(const std::string& text) override { notices.push_back(text); }
    void armCountdown(int ms) override {
        armed = true;
        intervalMs = ms;
    }
    void stopCountdown() override { armed = false; }
    int botSpeedMs() const override { return botSpeed; }

    std::vector<std::string> to(int slot) const {
        std::vector<std::string> out;
        for (const auto& s : sent)
            if (s.slot == slot) out.push_back(s.message);
        return out;
    }
    void clear() {
        sent.clear();
        notices.clear();
    }
};

// Faces come from the script; once it runs out, from a seeded generator (or a failure when
// `strict` is set, so a test notices an unplanned roll).
class ScriptedRandom : public core::RandomSource {
public:
    explicit ScriptedRandom(unsigned seed = 1) : m_engine(seed) {}
    bool strict = true;
    int drawn = 0;

    void push(std::initializer_list<int> faces) { m_faces.insert(m_faces.end(), faces); }
    std::size_t left() const { return m_faces.size(); }
    int face() override {
        ++drawn;
        if (m_faces.empty()) {
            if (strict) throw std::runtime_error("unscripted die roll");
            return m_dist(m_engine);
        }
        int f = m_faces.front();
        m_faces.pop_front();
        return f;
    }

private:
    std::deque<int> m_faces;
    std::mt19937 m_engine;
    std::uniform_int_distribution<int> m_dist{1, 6};
};

struct EngineRig {
    RecordingPort port;
    core::HostState state{port};
    ScriptedRandom dice;
    core::TurnEngine engine{state, dice};
    core::GameHost host{state, &engine};

    // What the seat logic does on accept and login.
    void connect(int slot, const std::string& name = "p") {
        auto& s = state.slot(slot);
        s.connected = true;
        s.loggedin = true;
        s.name = name;
        state.slotcount = std::max(state.slotcount, slot);
    }
    // A request as the seat logic hands it on, read from its payload; one that does not read
    // never reaches the engine.
    void start(std::string_view payload) {
        engine.startgame(*core::msg::toHost::Startgame::read(payload));
    }
    void roll(std::string_view payload) {
        if (auto r = core::msg::toHost::Rollthedice::read(payload)) engine.rollthedice(*r);
    }
    void selectCat(std::string_view payload) {
        if (auto r = core::msg::toHost::Selectcat::read(payload)) engine.selectcat(*r);
    }
    // What it does when a connection closes.
    void leave(int slot) {
        auto& s = state.slot(slot);
        s.connected = false;
        s.name.clear();
        s.justwatch = false;
        engine.seatVacated(slot);
    }
    void watch(int seat) {
        state.slot(seat).justwatch = true;
        engine.justWatchStarted(seat);
    }
    // A client logs into a free slot; returns what it was sent from its login on (during a
    // game the last two are its catch-up messages).
    std::vector<std::string> lateJoin(int slot, const std::string& name = "late") {
        connect(slot, name);
        const std::size_t before = port.to(slot).size();
        host.dispatch(slot, "CMD_logininfo+" + std::to_string(slot) + "+1.0.2+" + name);
        auto all = port.to(slot);
        return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
    }
    // One tick of timer1, only while it runs (as a real timer would).
    bool tick() {
        if (!port.armed) return false;
        host.timer1Tick(); // as the host server ticks it
        return true;
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            tick();
    }
    // Ticks until the countdown stops; returns the ticks taken.
    int runUntilIdle(int limit = 100000) {
        int n = 0;
        while (port.armed && n < limit) {
            engine.timer1Timer();
            ++n;
        }
        return n;
    }
    const core::PlayerSlot& seat(int n) const { return state.slot(n); }
};

} // namespace enginetest
