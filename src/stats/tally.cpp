// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/tally.h"

#include "game/counts.h"
#include "net/fields.h"

#include <algorithm>

namespace core {

namespace {
char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

constexpr int kSessionFirst = 5;
constexpr int kLastCol = TallyTable::kColumns - 1;
} // namespace

int Tally::findTallied(std::string_view name) const {
    for (int i = 0; i < opponentCount(); ++i)
        if (sameIgnoringCase(opponentName(i), name)) return i;
    return -1;
}

bool Tally::addOpponent(std::string_view name) {
    std::string clean(name);
    for (char& c : clean)
        if (c == '\r' || c == '\n') c = ' ';
    if (findTallied(clean) >= 0) return false;
    m_table.appendOpponent(std::move(clean));
    for (auto& item : m_checklist)
        item.checked = findTallied(item.name) >= 0;
    return true;
}

void Tally::removeOpponent(int index) {
    if (index < 0 || index >= opponentCount()) return;
    m_table.moverow(index + 1);
    for (auto& item : m_checklist)
        item.checked = findTallied(item.name) >= 0;
}

void Tally::loadchecklist(const TallySeats& seats) {
    m_checklist.clear();
    const int count = std::min<int>(kSeatCount, static_cast<int>(seats.labels.size()));
    for (int seat = 1; seat <= count; ++seat) {
        const std::string& label = seats.labels[static_cast<std::size_t>(seat - 1)];
        if (seat == seats.myslot || label == kEmptySeat) continue;
        m_checklist.push_back({label, findTallied(label) >= 0});
    }
}

std::optional<std::string> Tally::addgame(std::string_view text, const TallySeats& seats) {
    loadchecklist(seats);
    try {
        m_table.addit(1, 0);
        if (text == kAddToMine) m_table.addit(2, 0);
        for (const auto& item : m_checklist) {
            const int index = findTallied(item.name);
            if (index < 0) continue;
            const int r = index + 1;
            for (int col = 1; col <= kLastCol; ++col)
                if (m_table.cell(col, r).empty()) m_table.setCell(col, r, "0");
            m_table.addit(1, r);
            m_table.addit(5, r);
            if (m_table.cell(0, r) == text) {
                m_table.addit(2, r);
                m_table.addit(6, r);
            } else if (text == kAddToMine) {
                m_table.addit(3, r);
                m_table.addit(7, r);
            } else {
                m_table.addit(4, r);
                m_table.addit(8, r);
            }
        }
    } catch (const TallyError& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

std::optional<std::string> Tally::addtomineincrease(int col) {
    if (col < 1 || col > 5) return std::nullopt;
    try {
        m_table.addit(col, 0);
    } catch (const TallyError& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

void Tally::addtomineset(int col, std::string text) {
    if (col < 1 || col > 5) return;
    m_table.setCell(col, 0, std::move(text));
}

bool Tally::recordWinner(bool localWon, std::string_view winnersText, std::string_view myTotal,
                         const TallySeats& seats, std::optional<std::string>& error) {
    error.reset();
    if (seats.myslot > kSeatCount) return false;
    bool recorded = false;
    if (localWon) {
        error = addgame(kAddToMine, seats);
        recorded = true;
    } else if (winnersText.find(" and ") == std::string_view::npos) {
        error = addgame(winnersText, seats);
        recorded = true;
    }
    if (error) return recorded;
    auto total = parseInt(myTotal);
    auto highest = parseInt(m_table.cell(3, 0));
    if (total && highest && *total > *highest) {
        addtomineset(3, std::string(myTotal));
        recorded = true;
    }
    return recorded;
}

void Tally::loadtally() {
    for (int r = 1; r < m_table.rowCount(); ++r)
        for (int col = kSessionFirst; col <= kLastCol; ++col)
            m_table.setCell(col, r, "0");
}

void Tally::reset() {
    m_table.reset();
    for (auto& item : m_checklist)
        item.checked = false;
}

} // namespace core
