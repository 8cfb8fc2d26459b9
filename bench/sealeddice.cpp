// SPDX-License-Identifier: GPL-3.0-or-later
// What sealing costs: faces per CPU second from the sealed seed's stream against the classic
// Mersenne twister, and complete two-seat computer games per CPU second with sealed dice (a
// fresh secret, commitment, seed, mix and reveal per game) against the classic dice.
//
//   bench_sealeddice [SECONDS]   (per figure, default 2)

#include "game/sealedseed.h"
#include "host/hostport.h"
#include "host/hoststate.h"
#include "host/sealedturns.h"
#include "host/turnengine.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

double cpu() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Calls step() in batches until `seconds` of CPU time have passed; returns steps per second.
template <typename Step> double rate(double seconds, long batch, Step step) {
    const double start = cpu();
    long done = 0;
    while (cpu() - start < seconds) {
        for (long i = 0; i < batch; ++i)
            step();
        done += batch;
    }
    return double(done) / (cpu() - start);
}

class BenchPort : public core::HostPort {
public:
    bool armed = false;
    long sent = 0;
    void send(int, const std::string&) override { ++sent; }
    void close(int) override {}
    void notice(const std::string&) override {}
    void armCountdown(int) override { armed = true; }
    void stopCountdown() override { armed = false; }
    int botSpeedMs() const override { return 750; }
};

template <typename Turns>
double gamesPerSecond(double seconds, Turns& turns, core::HostState& state) {
    state.slot(7).connected = true; // one spectator to receive every broadcast
    state.slotcount = 7;
    auto& port = static_cast<BenchPort&>(state.port());
    return rate(seconds, 20, [&] {
        turns.startgame({"Bench", 0});
        while (state.turn.gamerunning && port.armed)
            turns.timer1Timer();
    });
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;
    volatile int sink = 0;

    core::SeededRandom classic(12345);
    const double classicFaces = rate(seconds, 100000, [&] { sink = sink + classic.face(); });
    core::seal::FaceStream sealed(core::seal::Digest{});
    const double sealedFaces = rate(seconds, 100000, [&] { sink = sink + sealed.face(); });
    std::printf("faces per CPU second: sealed %.3g, classic %.3g (sealed/classic %.3f)\n",
                sealedFaces, classicFaces, sealedFaces / classicFaces);

    BenchPort classicPort;
    core::HostState classicState(classicPort);
    core::SeededRandom dice(12345);
    core::TurnEngine classicTurns(classicState, dice);
    const double classicGames = gamesPerSecond(seconds, classicTurns, classicState);
    BenchPort sealedPort;
    core::HostState sealedState(sealedPort);
    core::SealedTurns sealedTurns(sealedState);
    const double sealedGames = gamesPerSecond(seconds, sealedTurns, sealedState);
    std::printf("two-seat games per CPU second: sealed %.0f, classic %.0f (sealed/classic %.3f)\n",
                sealedGames, classicGames, sealedGames / classicGames);
    return 0;
}
