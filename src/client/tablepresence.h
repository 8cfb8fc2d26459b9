// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who is at the table: arrivals (ours loads the settings), departures, spectators in the slots
// above the seats, players who are just watching, and players with another version of the
// game. Seats are shown by their labels on the board; spectators are kept here, one per slot.

#include "client/clientport.h"
#include "client/hostevents.h"

#include <string>
#include <vector>

namespace core {

struct TableState;

class TablePresence {
public:
    explicit TablePresence(TableState& state) : m_state(state) {}

    // "CMD_newplayerinfo" and "CMD_existingplayers": slot, name, watching, repeated; both
    // are read alike.
    void newplayerinfo(const fromHost::Newplayerinfo& event) { arrivals(event); }
    void existingplayers(const fromHost::Existingplayers& event) { arrivals(event); }
    void playerdisconnected(const fromHost::Playerdisconnected& event);
    void justwatching(const fromHost::Justwatching& event);
    void havewrongversion(const fromHost::Havewrongversion& event);

    // Options > "Just Watch": asks the host to flip our own seat.
    void JustWatch1Click();

    // In order of arrival.
    const std::vector<Spectator>& spectators() const { return m_spectators; }

private:
    void arrivals(const msg::toClient::Newplayerinfo& in);

    TableState& m_state;
    std::vector<Spectator> m_spectators;
};

} // namespace core
