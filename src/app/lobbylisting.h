// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A host's table as the internet lobby lists it, built in one place from the host's state for
// both who publish it: the hosting copy (through the lobby that started it) and the dedicated
// host (in the lobby room itself). And what the port mapping's outcome means for the lobby.

#include "host/hoststate.h"
#include "lobby/companionlines.h"
#include "lobby/lobbytable.h"
#include "net/mappingreport.h"

#include <string>

namespace app {

// Where players outside connect, and what the host is; the rest comes from its state.
struct TableSite {
    std::string host;    // empty: the name of whoever holds slot 1
    std::string address; // the public address as far as it is known (may be empty)
    int port = 0;
    bool reachable = false;
    bool server = false; // a dedicated host
    bool sealed = false; // its games' dice are sealed
};

lobby::LobbyTable listedTable(const core::HostState& state, const TableSite& site);

// Reachable only for a mapping at an address players on the internet can use; the sentence
// the lobby shows its host otherwise.
lobby::ReachLine reachOf(const core::MappingOutcome& outcome);

} // namespace app
