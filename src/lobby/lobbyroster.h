// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lobby room as the window lists it: the people in it and the tables they host, kept from
// the session's presence reports. It stays bounded and truthful whatever the room sends: at
// most kMaxOccupants people (further ones are not listed), one table per occupant, a table
// only when its element reads back whole and names no other occupant as its host, and
// nothing of an occupant left once its presence is gone.

#include "lobby/lobbysession.h"

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace lobby {

inline constexpr std::size_t kMaxOccupants = 2000;
inline constexpr std::size_t kMaxNick = 64; // bytes; longer nicks are not listed

struct Person {
    std::string nick;
    Role role = Role::Participant;
    Activity activity = Activity::InLobby;
    bool ignored = false;
};

struct ListedTable {
    std::string publisher; // the occupant whose presence carries it
    LobbyTable table;
};

class LobbyRoster {
public:
    // Applies a presence; returns whether anything listed changed.
    bool apply(const Occupant& occupant);
    bool remove(const std::string& nick);
    void clear();

    std::vector<Person> people() const;      // by nick
    std::vector<ListedTable> tables() const; // by publisher
    std::optional<Person> person(const std::string& nick) const;

    // Ignored people's chat lines are not shown; the list is kept by the window's settings.
    void setIgnored(const std::set<std::string>& nicks);
    bool ignores(const std::string& nick) const;

private:
    std::map<std::string, Person> m_people;
    std::map<std::string, LobbyTable> m_tables;
    std::set<std::string> m_ignored;
};

// Filters of the table list.
struct TableFilter {
    bool freeSeats = false;  // only tables with a free seat
    bool notStarted = false; // only tables whose game has not started
    std::string version;     // non-empty: only tables of this version
};
bool passes(const LobbyTable& table, const TableFilter& filter);

} // namespace lobby
