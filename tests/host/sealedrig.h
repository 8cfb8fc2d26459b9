// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A host with sealed dice and the tables around it, without sockets: tables that know the
// seal answer through their own DiceCheck, others just collect what they are sent.

#include "client/dicecheck.h"
#include "client/hostevents.h"
#include "host/enginefixture.h"
#include "host/gamehost.h"
#include "host/sealedturns.h"
#include "net/fields.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sealtest {

// Entropy that fills every byte with `fill`, then fill + 1 on the next call, ...
inline auto countingFill(std::uint8_t fill) {
    return
        [fill](std::span<std::uint8_t> out) mutable { std::fill(out.begin(), out.end(), fill++); };
}

struct Table {
    int slot = 0;
    std::unique_ptr<core::DiceCheck> check; // null for a table without the seal
    std::vector<std::string> seen;
    std::vector<core::DiceCheck::Line> lines;
};

struct SealedRig {
    enginetest::RecordingPort port;
    core::HostState state{port};
    core::SealedTurns turns{state, countingFill(0x40)};
    core::GameHost host{state, &turns};
    std::map<int, Table> tables;

    int join(const std::string& name, bool knowsSeal = true) {
        const int slot = host.connectionAccepted();
        auto& t = tables[slot];
        t.slot = slot;
        if (knowsSeal)
            t.check =
                std::make_unique<core::DiceCheck>(countingFill(static_cast<std::uint8_t>(slot)));
        host.dispatch(slot, "CMD_logininfo+" + std::to_string(slot) + "+1.0.2+" + name);
        pump();
        return slot;
    }
    // Every table reads what it was sent; a table with the seal answers the commitment.
    void pump() {
        for (; cursor < port.sent.size(); ++cursor) {
            const enginetest::Sent sent = port.sent[cursor];
            auto at = tables.find(sent.slot);
            if (at == tables.end()) continue;
            Table& t = at->second;
            t.seen.push_back(sent.message);
            if (t.check)
                feed(*t.check, t.slot, sent.message, &t.lines,
                     [&](const std::string& m) { host.dispatch(t.slot, m); });
        }
    }
    std::size_t cursor = 0;
    // Starts a game that the computer plays for every seat, and plays it to the end.
    void playComputerGame(const std::function<void()>& eachTick = {}) {
        host.dispatch(1, "CMD_startgame+Ann+0+");
        pump();
        playToEnd(eachTick);
    }
    void playToEnd(const std::function<void()>& eachTick = {}) {
        for (int seat = 1; seat <= 6; ++seat)
            if (state.slot(seat).connected)
                host.dispatch(1, "CMD_justwatch+" + std::to_string(seat) + "+1");
        pump();
        while (port.armed && state.turn.gamerunning) {
            host.timer1Tick();
            pump();
            if (eachTick) eachTick();
        }
    }

    // One message to a DiceCheck as the table client hands it on.
    template <typename Send>
    static void feed(core::DiceCheck& check, int slot, const std::string& message,
                     std::vector<core::DiceCheck::Line>* lines, Send send) {
        using namespace core::fromHost;
        const auto event = core::decodeHostEntry(message);
        if (!event) return;
        std::optional<core::DiceCheck::Line> line;
        if (const auto* e = std::get_if<Startgame>(&*event)) check.startgame(*e);
        if (const auto* e = std::get_if<Nextplayer>(&*event)) check.nextplayer(*e);
        if (const auto* e = std::get_if<Createdice>(&*event)) check.createdice(*e);
        if (const auto* e = std::get_if<Bramble>(&*event)) check.bramble(*e);
        if (const auto* e = std::get_if<Gotbonus>(&*event)) check.gotbonus(*e);
        if (const auto* e = std::get_if<Bonusend>(&*event)) check.bonusend(*e);
        if (const auto* e = std::get_if<Loadstats>(&*event)) check.loadstats(*e);
        if (const auto* e = std::get_if<Sealcommit>(&*event))
            if (auto part = check.sealcommit(*e)) send(*part);
        if (const auto* e = std::get_if<Sealmix>(&*event)) line = check.sealmix(*e, slot);
        if (const auto* e = std::get_if<Sealreveal>(&*event)) line = check.sealreveal(*e, slot);
        if (line) lines->push_back(*line);
    }
};

// The messages that carry rolled faces.
inline int rollsIn(const std::vector<std::string>& transcript) {
    int n = 0;
    for (const auto& m : transcript) {
        auto [command, payload] = core::splitEntry(m);
        if (command == "CMD_createdice" && payload.find("+0+0") == std::string::npos) ++n;
        if (command == "CMD_bramble" || command == "CMD_gotbonus") ++n;
        if (command == "CMD_bonusend" && std::count(payload.begin(), payload.end(), '+') == 10) ++n;
    }
    return n;
}

} // namespace sealtest
