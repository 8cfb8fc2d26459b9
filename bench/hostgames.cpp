// SPDX-License-Identifier: GPL-3.0-or-later
// How many complete computer games the core host plays per CPU second on one core: two seats
// (the computer in seats 1 and 2) and six seats (six players who all switch to just watching
// right after the start). Every broadcast is built and handed to one spectator's connection,
// which frames it into its write buffer as the socket transport does (message and terminator
// appended to one buffer, cleared after each game); no network and no real timer — the
// countdown is ticked directly.
//
// The figure is the best of rounds of a quarter second each: the shared machine this runs on
// changes speed from one second to the next by half, and the best round is what the host code
// itself allows (the codec benchmark reports its best round the same way).
//
//   bench_hostgames [SECONDS]   (per figure, default 2)

#include "game/randomsource.h"
#include "host/hostport.h"
#include "host/hoststate.h"
#include "host/turnengine.h"
#include "net/fields.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

class BenchPort : public core::HostPort {
public:
    std::string written; // the spectator's write buffer
    long sent = 0;
    bool armed = false;
    void send(int, const std::string& message) override {
        written += message;
        written += static_cast<char>(core::kTerminator);
        ++sent;
    }
    void close(int) override {}
    void notice(const std::string&) override {}
    void armCountdown(int) override { armed = true; }
    void stopCountdown() override { armed = false; }
    int botSpeedMs() const override { return 750; }
};

// Seats taken by players who then just watch.
int watchingSeats(int seats) {
    return seats == 6 ? 6 : 0;
}

struct Figures {
    double gamesPerSecond;
    double messagesPerGame;
    double ticksPerGame;
};

Figures run(int seats, double seconds) {
    BenchPort port;
    core::HostState state(port);
    core::SeededRandom random(12345);
    core::TurnEngine engine(state, random);

    // CPU time of this thread, so the figure is per core even on a busy machine.
    auto cpu = [] {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
    };
    constexpr double kRound = 0.25;
    Figures best{0, 0, 0};
    for (double spent = 0; spent < seconds;) {
        long games = 0, messages = 0, ticks = 0;
        const double start = cpu();
        while (cpu() - start < std::min(kRound, seconds)) {
            for (int g = 0; g < 100; ++g) {
                for (int n = 1; n <= 9; ++n)
                    state.slot(n).connected = false;
                for (int n = 1; n <= watchingSeats(seats); ++n)
                    state.slot(n).connected = true;
                state.slot(7).connected = true; // the spectator whose messages are recorded
                state.slotcount = 7;
                port.written.clear();
                port.sent = 0;
                engine.startgame({"Bench", 0});
                for (int n = 1; n <= watchingSeats(seats); ++n) {
                    state.slot(n).justwatch = true;
                    engine.justWatchStarted(n);
                }
                while (state.turn.gamerunning && port.armed) {
                    engine.timer1Timer();
                    ++ticks;
                }
                if (state.turn.gamerunning) {
                    std::fprintf(stderr, "a game stopped before its end\n");
                    return {0, 0, 0};
                }
                messages += port.sent;
                ++games;
            }
        }
        const double t = cpu() - start;
        spent += t;
        const double perSecond = games / t;
        if (perSecond > best.gamesPerSecond)
            best = {perSecond, static_cast<double>(messages) / games,
                    static_cast<double>(ticks) / games};
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::max(0.1, std::atof(argv[1])) : 2.0;
    for (int seats : {2, 6}) {
        Figures f = run(seats, seconds);
        std::printf(
            "%d-seat computer games: %.0f games/s (%.0f messages, %.0f timer ticks per game)\n",
            seats, f.gamesPerSecond, f.messagesPerGame, f.ticksPerGame);
        std::printf("FIGURE host_games_%dseat %.0f\n", seats, f.gamesPerSecond);
    }
    return 0;
}
