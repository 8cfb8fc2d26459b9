// SPDX-License-Identifier: GPL-3.0-or-later
// The exact solver and the two computer players, for each bonus-roll limit: the solver's
// build time and table memory, the exact expected score of best play, the mean score of
// 200,000 simulated games of each player (on the real turn engine), and the expert's win rate
// against the classic player in two-seat games.
//
//   bench_solver [games]      (default 200000; run it under nice)

#include "game/solver.h"
#include "host/selfplay.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Sample {
    std::vector<int> totals;
    double mean() const {
        double s = 0;
        for (int t : totals)
            s += t;
        return s / static_cast<double>(totals.size());
    }
    double standardError() const {
        const double m = mean();
        double s = 0;
        for (int t : totals)
            s += (t - m) * (t - m);
        const double n = static_cast<double>(totals.size());
        return std::sqrt(s / (n - 1) / n);
    }
};

// `games` seat games: each self-play game gives two independent seats.
Sample play(core::ComputerStyle style, int limit, int games, std::uint64_t seed) {
    core::SelfPlay table(style, limit, seed);
    Sample out;
    out.totals.reserve(static_cast<std::size_t>(games));
    while (static_cast<int>(out.totals.size()) < games) {
        core::SelfPlayResult r = table.play();
        out.totals.push_back(r.seat1);
        if (static_cast<int>(out.totals.size()) < games) out.totals.push_back(r.seat2);
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200000;
    std::printf("limit  build_ms  table_MB  exact     expert(sim)        classic(sim)       "
                "expert_wins  ties   sim_s\n");
    for (int limit : {0, 1, 2, 5}) {
        core::Solver solver(limit); // a fresh build, timed by the solver itself
        const double exact = solver.startValue(0x7F);
        core::Solver::forLimit(limit); // the shared copy the players use

        auto begin = std::chrono::steady_clock::now();
        Sample expert = play(core::ComputerStyle::Expert, limit, games, 1000 + limit);
        Sample classic = play(core::ComputerStyle::Classic, limit, games, 2000 + limit);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();

        // Head to head: the seats' games are independent, so pairing the i-th game of each
        // player is a two-seat game. Ties go to seat 1, which the expert takes every other game.
        int wins = 0, ties = 0;
        for (std::size_t i = 0; i < expert.totals.size(); ++i) {
            const int e = expert.totals[i], c = classic.totals[i];
            if (e == c) ++ties;
            if (e > c || (e == c && i % 2 == 0)) ++wins;
        }
        std::printf("%-5d  %8.1f  %8.2f  %7.3f   %7.3f ± %5.3f    %7.3f ± %5.3f    %9.2f%%  "
                    "%4.1f%%  %5.1f\n",
                    limit, solver.buildSeconds() * 1000, solver.memoryBytes() / 1048576.0, exact,
                    expert.mean(), expert.standardError(), classic.mean(), classic.standardError(),
                    100.0 * wins / games, 100.0 * ties / games, seconds);
    }
    return 0;
}
