// SPDX-License-Identifier: GPL-3.0-or-later
// A whole game on the host with sealed dice and held seats, driven by a script of arrivals,
// logins, returns with the tokens the host handed out (or guessed ones), drops, goodbyes,
// requests in any seat's name, dice parts, timer ticks and the passing of hold time. Whatever
// the script did, two things must hold at its end:
//   - no message carries the terminator, no name breaks the lists;
//   - liveness: once every connection has closed, with nobody sending anything, the timer
//     alone brings the game to its end within a bounded number of ticks.
// fuzz-max-len: 2048

#include "host/gamehost.h"
#include "host/hostport.h"
#include "host/sealedturns.h"
#include "net/fields.h"
#include "net/messages.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

class RecordingPort : public core::HostPort {
public:
    bool armed = false;
    std::map<int, std::string> tokens; // the last token each seat was given
    std::vector<int> closing;

    void send(int slot, const std::string& message) override {
        if (slot < 1 || slot > core::GameHost::kRefusedSlot) std::abort();
        if (message.find(core::kTerminator) != std::string::npos) std::abort();
        if (auto token = tokenIn(message)) tokens[slot] = *token;
    }
    void close(int slot) override { closing.push_back(slot); }
    void notice(const std::string&) override {}
    void armCountdown(int) override { armed = true; }
    void stopCountdown() override { armed = false; }
    int botSpeedMs() const override { return 750; }

private:
    static std::optional<std::string> tokenIn(const std::string& message) {
        const std::string_view word = core::msg::toClient::Seattoken::word;
        if (message.rfind(word, 0) != 0 || message.size() <= word.size()) return std::nullopt;
        auto token = core::msg::toClient::Seattoken::read(message.substr(word.size() + 1));
        if (!token) return std::nullopt;
        return token->token;
    }
};

// Requests in any seat's name, well formed up to the fuzzed fields after the head.
const char* const kHeads[] = {
    "CMD_rollthedice+", "CMD_selectcat+", "CMD_justwatch+", "CMD_kickhim+",
    "CMD_startgame+",   "CMD_sealpart+",  "CMD_leaving+",   "CMD_canholdseat+",
};

struct Game {
    RecordingPort port;
    core::HostState state{port};
    core::SealedTurns turns{state, [](std::span<std::uint8_t> out) {
                                for (std::size_t i = 0; i < out.size(); ++i)
                                    out[i] = static_cast<std::uint8_t>(i * 37 + 11);
                            }};
    core::GameHost host{state, &turns};
    std::int64_t now = 1000;

    Game() {
        host.setClock([this] { return now; });
        host.setHoldSeconds(120);
    }
    void say(int slot, const std::string& entry) {
        host.bytesReceived(slot, entry + core::kTerminator);
        while (host.processNext()) {
        }
    }
    void closeReported() {
        while (!port.closing.empty()) {
            auto slots = std::move(port.closing);
            port.closing.clear();
            for (int s : slots)
                host.connectionClosed(s);
        }
    }
};

void step(Game& g, int op, int slot, std::string_view bytes) {
    const std::string n = std::to_string(slot);
    switch (op) {
    case 0:
        g.host.connectionAccepted();
        break;
    case 1:
        g.say(slot, "CMD_canholdseat+" + n + "+");
        g.say(slot, "CMD_logininfo+" + n + "+1.0.2+P" + n);
        break;
    case 2:
        g.host.connectionClosed(slot);
        break;
    case 3: { // a return with a token this seat or another was given, or a guess
        auto it = g.port.tokens.lower_bound(slot);
        const std::string token = it != g.port.tokens.end() ? it->second : std::string(bytes);
        g.say(slot, "CMD_reclaimseat+" + n + "+" + token);
        break;
    }
    case 4:
        g.say(slot, kHeads[(bytes.empty() ? 0u : static_cast<unsigned char>(bytes[0])) % 8u] + n +
                        "+" + std::string(bytes.substr(bytes.empty() ? 0 : 1)));
        break;
    case 5:
        if (g.port.armed) g.host.timer1Tick();
        break;
    case 6:
        g.now += 1000 * static_cast<std::int64_t>(bytes.size() + 1);
        g.host.expireHolds();
        break;
    case 7:
        g.closeReported();
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Game g;
    std::size_t at = 0;
    auto next = [&]() -> int { return at < size ? data[at++] : 0; };
    while (at < size) {
        const int op = next() % 8;
        const int slot = 1 + next() % 9;
        std::size_t length = static_cast<std::size_t>(next() % 24);
        if (length > size - at) length = size - at;
        step(g, op, slot, std::string_view(reinterpret_cast<const char*>(data + at), length));
        at += length;
        for (int s = 1; s <= core::kMaxSlot; ++s)
            if (g.state.slot(s).name.find_first_of("+|") != std::string::npos) std::abort();
    }
    if (!g.state.turn.gamerunning) return 0;
    for (int s = 1; s <= core::kMaxSlot; ++s)
        if (g.state.slot(s).connected) g.host.connectionClosed(s);
    g.closeReported();
    for (int ticks = 0; g.state.turn.gamerunning; ++ticks) {
        if (!g.port.armed || ticks > 20000) std::abort(); // stalled, or no end in sight
        g.host.timer1Tick();
    }
    return 0;
}
