// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What our presence in the lobby room says about the game this lobby started, worked out from
// the lines the game writes to its companion connection (lobby/companionlines.h):
//   no game                -> InLobby, no table
//   a game that joined     -> Playing
//   a game that hosts      -> Hosting; its table is listed once the game has said where the
//                             internet reaches it ("reach 1") and what its table holds. A
//                             table the internet cannot reach is never listed: players outside
//                             could not join it, and its host is told why instead.

#include "lobby/companionlines.h"
#include "lobby/publishthrottle.h"

#include <optional>
#include <string>

namespace lobby {

class GamePresence {
public:
    void hosting(int port);
    void joined();
    void ended();
    void apply(const CompanionLine& line);

    // Our presence, the table (if any) in the name `ownNick` we have in the room.
    Presence presence(const std::string& ownNick) const;
    // The game said its router did not forward the port.
    bool notForwarded() const;

private:
    enum class Mode { None, Joined, Hosting };
    Mode m_mode = Mode::None;
    int m_port = 0;
    std::optional<LobbyTable> m_table;
    std::optional<ReachLine> m_reach;
};

} // namespace lobby
