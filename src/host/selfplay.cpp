// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/selfplay.h"

#include "host/hoststate.h"
#include "host/turnengine.h"

#include <string>

namespace core {

namespace {

class SilentPort : public HostPort {
public:
    explicit SilentPort(ComputerStyle style) : m_style(style) {}
    void send(int, const std::string&) override {}
    void close(int) override {}
    void notice(const std::string&) override {}
    void armCountdown(int) override {}
    void stopCountdown() override {}
    int botSpeedMs() const override { return 0; }
    ComputerStyle computerStyle() const override { return m_style; }

private:
    ComputerStyle m_style;
};

} // namespace

struct SelfPlay::Table {
    Table(ComputerStyle style, int limit, std::uint64_t seed)
        : port(style), state(port), dice(seed), engine(state, dice), start{"x", limit} {}
    SilentPort port;
    HostState state;
    SeededRandom dice;
    TurnEngine engine;
    msg::toHost::Startgame start;
};

SelfPlay::SelfPlay(ComputerStyle style, int bonusLimit, std::uint64_t seed)
    : m_table(std::make_unique<Table>(style, bonusLimit, seed)) {}

SelfPlay::~SelfPlay() = default;

SelfPlayResult SelfPlay::play() {
    Table& t = *m_table;
    t.engine.startgame(t.start);
    // Every turn ends within a bounded number of ticks except an unlimited bonus run, which
    // ends with chance 1; the guard only stops a broken engine from spinning forever.
    for (long ticks = 0; t.state.turn.gamerunning && ticks < 10'000'000; ++ticks)
        t.engine.timer1Timer();
    return {t.state.slot(1).total, t.state.slot(2).total};
}

} // namespace core
