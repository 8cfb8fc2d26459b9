// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/lobbyroster.h"

namespace lobby {

namespace {

// Far more than the element has: a presence stuffed with attributes is refused before they
// are even read.
constexpr std::size_t kMaxAttributes = 64;

// A table is listed only when it reads back whole and does not claim somebody else's name:
// otherwise one occupant could put a table in another's mouth.
std::optional<LobbyTable> acceptedTable(const Occupant& occupant) {
    if (!occupant.table || occupant.table->size() > kMaxAttributes) return std::nullopt;
    std::optional<LobbyTable> table = readTable(*occupant.table);
    if (!table || (!table->host.empty() && table->host != occupant.nick)) return std::nullopt;
    return table;
}

} // namespace

bool LobbyRoster::apply(const Occupant& occupant) {
    if (occupant.nick.empty() || occupant.nick.size() > kMaxNick) return false;
    auto it = m_people.find(occupant.nick);
    const bool added = it == m_people.end();
    if (added) {
        if (m_people.size() >= kMaxOccupants) return false;
        it = m_people.emplace(occupant.nick, Person{occupant.nick}).first;
        it->second.ignored = m_ignored.count(occupant.nick) > 0;
    }
    Person& person = it->second;
    const bool changed =
        added || person.role != occupant.role || person.activity != occupant.activity;
    person.role = occupant.role;
    person.activity = occupant.activity;

    std::optional<LobbyTable> table = acceptedTable(occupant);
    auto listed = m_tables.find(occupant.nick);
    if (!table) {
        if (listed == m_tables.end()) return changed;
        m_tables.erase(listed);
        return true;
    }
    if (listed != m_tables.end() && listed->second == *table) return changed;
    m_tables[occupant.nick] = std::move(*table);
    return true;
}

bool LobbyRoster::remove(const std::string& nick) {
    m_tables.erase(nick);
    return m_people.erase(nick) > 0;
}

void LobbyRoster::clear() {
    m_people.clear();
    m_tables.clear();
}

std::vector<Person> LobbyRoster::people() const {
    std::vector<Person> out;
    out.reserve(m_people.size());
    for (const auto& [nick, person] : m_people)
        out.push_back(person);
    return out;
}

std::vector<ListedTable> LobbyRoster::tables() const {
    std::vector<ListedTable> out;
    out.reserve(m_tables.size());
    for (const auto& [nick, table] : m_tables)
        out.push_back({nick, table});
    return out;
}

std::optional<Person> LobbyRoster::person(const std::string& nick) const {
    auto it = m_people.find(nick);
    if (it == m_people.end()) return std::nullopt;
    return it->second;
}

void LobbyRoster::setIgnored(const std::set<std::string>& nicks) {
    m_ignored = nicks;
    for (auto& [nick, person] : m_people)
        person.ignored = m_ignored.count(nick) > 0;
}

bool LobbyRoster::ignores(const std::string& nick) const {
    return m_ignored.count(nick) > 0;
}

bool passes(const LobbyTable& table, const TableFilter& filter) {
    if (filter.freeSeats && table.freeSeats <= 0) return false;
    if (filter.notStarted && table.running) return false;
    return filter.version.empty() || table.version == filter.version;
}

} // namespace lobby
