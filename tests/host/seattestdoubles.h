// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test doubles for the seat logic: a port that records what the host sends and closes, and a
// turn handler that records what it is handed.

#include "host/hostport.h"
#include "host/turnhandler.h"

#include <string>
#include <vector>

namespace seattest {

struct Sent {
    int slot;
    std::string text;
    bool operator==(const Sent&) const = default;
};

class RecordingPort : public core::HostPort {
public:
    std::vector<Sent> sent;
    std::vector<int> closed;
    std::vector<std::string> notices;
    int armedMs = -1;

    void send(int slot, const std::string& message) override { sent.push_back({slot, message}); }
    void close(int slot) override { closed.push_back(slot); }
    void notice(const std::string& text) override { notices.push_back(text); }
    void armCountdown(int intervalMs) override { armedMs = intervalMs; }
    void stopCountdown() override { armedMs = -1; }
    int botSpeedMs() const override { return 750; }

    std::vector<Sent> take() {
        auto out = std::move(sent);
        sent.clear();
        return out;
    }
};

class RecordingTurns : public core::TurnHandler {
public:
    std::vector<std::string> calls;

    // Each request as the payload that would carry it.
    void startgame(const core::msg::toHost::Startgame& r) override {
        record("startgame ",
               core::msg::toHost::Startgame::build(r.name, r.bonusLimit.value_or(-1)));
    }
    void rollthedice(const core::msg::toHost::Rollthedice& r) override {
        record("rollthedice ", core::msg::toHost::Rollthedice::build(r.seat, r.dice));
    }
    void selectcat(const core::msg::toHost::Selectcat& r) override {
        record("selectcat ", core::msg::toHost::Selectcat::build(r.seat, r.category));
    }
    void timer1Timer() override { calls.push_back("timer1"); }
    void seatVacated(int slot) override { calls.push_back("vacated " + std::to_string(slot)); }
    void justWatchStarted(int seat) override {
        calls.push_back("justwatch " + std::to_string(seat));
    }

private:
    void record(const char* what, const std::string& message) {
        calls.push_back(what + message.substr(message.find('+') + 1));
    }
};

} // namespace seattest
