// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/gamepresence.h"

namespace lobby {

void GamePresence::hosting(int port) {
    *this = {};
    m_mode = Mode::Hosting;
    m_port = port;
}

void GamePresence::joined() {
    *this = {};
    m_mode = Mode::Joined;
}

void GamePresence::ended() {
    *this = {};
}

void GamePresence::apply(const CompanionLine& line) {
    if (m_mode != Mode::Hosting) return; // a joining copy hosts nothing to publish
    if (const auto* table = std::get_if<LobbyTable>(&line))
        m_table = *table;
    else
        m_reach = std::get<ReachLine>(line);
}

Presence GamePresence::presence(const std::string& ownNick) const {
    switch (m_mode) {
    case Mode::None:
        return {};
    case Mode::Joined:
        return {Activity::Playing, std::nullopt};
    case Mode::Hosting:
        break;
    }
    if (!m_table || !m_reach || !m_reach->reachable || m_reach->externalAddress.empty())
        return {Activity::Hosting, std::nullopt};
    LobbyTable table = *m_table;
    // Where the internet reaches the game, under the name the room knows us by (the room
    // refuses a table that names anybody else).
    table.host = ownNick;
    table.address = m_reach->externalAddress;
    table.port = m_port;
    table.reachable = true;
    return {Activity::Hosting, table};
}

bool GamePresence::notForwarded() const {
    return m_mode == Mode::Hosting && m_reach && !m_reach->reachable;
}

} // namespace lobby
