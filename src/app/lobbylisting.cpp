// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lobbylisting.h"

#include "game/counts.h"
#include "host/tablesummary.h"

#include <algorithm>

namespace app {

lobby::LobbyTable listedTable(const core::HostState& state, const TableSite& site) {
    const core::TableAnnouncement summary = core::summariseTable(state);
    lobby::LobbyTable table;
    table.host = site.host.empty() ? summary.host : site.host;
    table.address = site.address;
    table.port = site.port;
    table.seated = summary.seated;
    table.spectators = summary.spectators;
    table.freeSeats = summary.freeSeats;
    table.running = summary.running;
    // Between the start and the first turn the engine still counts round 0, and 8 once the
    // last round is over; the list knows rounds 1 to 7.
    table.round = summary.running ? std::clamp(state.turn.round, 1, core::kRounds) : 0;
    table.bonusLimit = state.turn.bonuslimit;
    table.version = summary.version;
    table.sealed = site.sealed;
    table.reachable = site.reachable;
    table.server = site.server;
    return table;
}

lobby::ReachLine reachOf(const core::MappingOutcome& outcome) {
    using Kind = core::MappingOutcome::Kind;
    lobby::ReachLine reach;
    if (outcome.kind != Kind::Mapped) {
        reach.why = lobby::kNotForwarded;
        return reach;
    }
    reach.externalAddress = outcome.externalAddress;
    reach.reachable = !core::isUnreachableAddress(outcome.externalAddress);
    // Forwarded, but at an address nobody outside can use (another NAT in front of ours, or
    // a router that named none): the mapping's own sentence says which.
    if (!reach.reachable) reach.why = core::mappingReport(outcome, outcome.externalPort);
    return reach;
}

} // namespace app
