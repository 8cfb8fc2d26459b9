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

    void startgame(std::string_view p) override { calls.push_back("startgame " + std::string(p)); }
    void rollthedice(std::string_view p) override {
        calls.push_back("rollthedice " + std::string(p));
    }
    void selectcat(std::string_view p) override { calls.push_back("selectcat " + std::string(p)); }
    void timer1Timer() override { calls.push_back("timer1"); }
    void seatVacated(int slot) override { calls.push_back("vacated " + std::to_string(slot)); }
    void justWatchStarted(int seat) override {
        calls.push_back("justwatch " + std::to_string(seat));
    }
};

} // namespace seattest
