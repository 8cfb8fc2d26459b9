// SPDX-License-Identifier: GPL-3.0-or-later
// A sealed game between the real host and a real table, the computer playing every seat, with
// the host's secret, the table's part and the bonus-roll limit taken from the input. On the
// way to the table one face of one roll may be changed (the input says which). The table's
// dice check must then say exactly what happened: every roll from the seed when nothing was
// changed, a roll that does not come from the seed when something was.
// fuzz-max-len: 128

#include "client/tableclient.h"
#include "game/sealedseed.h"
#include "host/gamehost.h"
#include "host/hostport.h"
#include "host/sealedturns.h"
#include "net/fields.h"
#include "net/messages.h"
#include "nullclientport.h"

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <span>
#include <string>
#include <string_view>

namespace {

std::deque<std::string> g_toTable;   // the host's messages to slot 1, not yet handled
std::deque<std::string> g_fromTable; // the table's requests, not yet handled

class HostSide : public core::HostPort {
public:
    bool armed = false;
    void send(int slot, const std::string& message) override {
        if (slot == 1) g_toTable.push_back(message);
    }
    void close(int) override {}
    void notice(const std::string&) override {}
    void armCountdown(int) override { armed = true; }
    void stopCountdown() override { armed = false; }
    int botSpeedMs() const override { return 750; }
};

class TableSide : public fuzzsupport::NullPort {
public:
    std::string verdict;
    void send(const std::string& m) override { g_fromTable.push_back(m); }
    void addlinetochat(const std::string& line, std::uint32_t) override {
        if (line.find("Dice check: ") != std::string::npos) verdict = line;
    }
    void chatrecieved(const std::string& line) override { addlinetochat(line, 0); }
};

// Changes the face of the roll's first named die to another one; false when it cannot.
bool changeFirstFace(std::string& message, int by) {
    // "CMD_createdice+SEAT+ROLLS+DIE+FACE...": the face is the fifth field.
    std::size_t at = 0;
    for (int plus = 0; plus < 4; ++plus) {
        at = message.find('+', at);
        if (at == std::string::npos) return false;
        ++at;
    }
    if (at >= message.size() || message[at] < '1' || message[at] > '6') return false;
    message[at] = static_cast<char>('1' + (message[at] - '1' + by) % 6);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4 || !core::seal::hashingAvailable()) return 0;
    const std::span<const std::uint8_t> input(data, size);
    auto fill = [input](std::size_t from) {
        return [input, from](std::span<std::uint8_t> out) {
            for (std::size_t i = 0; i < out.size(); ++i)
                out[i] = input[(from + i) % input.size()];
        };
    };
    const int tamperAt = data[0] % 64; // which roll to change (past the game's end: none)
    const int by = 1 + data[1] % 5;
    const int limits[] = {0, 1, 2, 5};
    g_toTable.clear();
    g_fromTable.clear();

    HostSide hostPort;
    core::HostState state(hostPort);
    core::SealedTurns turns(state, fill(3));
    core::GameHost host(state, &turns);
    TableSide tablePort;
    core::TableClient table(tablePort, 1, fill(size / 2));
    table.processparams({"Fuzz", "127.0.0.1", "x"});

    int rolls = 0;
    bool changed = false;
    auto pump = [&] {
        while (!g_toTable.empty() || !g_fromTable.empty()) {
            while (!g_fromTable.empty()) {
                host.bytesReceived(1, g_fromTable.front() + core::kTerminator);
                g_fromTable.pop_front();
                while (host.processNext()) {
                }
            }
            if (g_toTable.empty()) continue;
            std::string m = std::move(g_toTable.front());
            g_toTable.pop_front();
            if (m.rfind("CMD_createdice+", 0) == 0 && rolls++ == tamperAt)
                changed = changeFirstFace(m, by);
            table.handleMessage(m);
        }
    };
    host.connectionAccepted();
    pump();
    g_fromTable.push_back(core::msg::toHost::Startgame::build("Fuzz", limits[data[2] % 4]));
    g_fromTable.push_back(core::msg::toHost::Justwatch::build(1, core::msg::kJustWatchOn));
    pump();
    for (int ticks = 0; state.turn.gamerunning; ++ticks) {
        if (!hostPort.armed || ticks > 20000) std::abort(); // the game must end by itself
        host.timer1Tick();
        pump();
    }
    const bool passed = tablePort.verdict.rfind("0+Dice check: all ", 0) == 0 ||
                        tablePort.verdict.rfind("Dice check: all ", 0) == 0;
    if (passed == changed) std::abort(); // the verdict must tell a changed roll
    return 0;
}
