// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/boardmodel.h"

namespace core {

namespace {
constexpr std::array<int, kSeatCount> kColumnLeft{94, 136, 178, 220, 262, 304};
constexpr std::array<int, kSeatCount> kActiveBarWidth{50, 91, 133, 175, 217, 259};
} // namespace

BoardModel::BoardModel() {
    clearall();
}

int BoardModel::columnLeft(int seat) {
    return seat >= 1 && seat <= kSeatCount ? kColumnLeft[seat - 1] : 0;
}

int BoardModel::activeBarWidth(int seat) {
    return seat >= 1 && seat <= kSeatCount ? kActiveBarWidth[seat - 1] : kIdleBarWidth;
}

std::string BoardModel::limitText(const std::string& limit) {
    if (limit == "0") return "Unlimited Bonus Rolls";
    if (limit == "1") return "Bonus Rolls Limited to 1 Roll";
    return "Bonus Rolls Limited to " + limit + " Rolls";
}

void BoardModel::clearall() {
    scoreturnVisible = false;
    for (auto& d : m_dice) {
        d.top = kDieRestTop;
        d.body = DieBody::Blank;
        d.pips = 0;
    }
    for (int s = 1; s <= kSeatCount; ++s) {
        seat(s).winnerMark = false;
        if (s >= 3) seat(s).notPlaying = false;
        for (auto& c : m_cells[s - 1])
            c = ScoreCell{};
    }
    resetCategories(true);
}

void BoardModel::highlightColumn(int current) {
    for (auto& column : m_cells) {
        if (column[0].grey) continue;
        for (auto& c : column) {
            c.grey = true;
            c.bold = false;
        }
    }
    if (current < 1 || current > kSeatCount) return;
    for (auto& c : m_cells[current - 1]) {
        c.grey = false;
        c.bold = true;
    }
}

void BoardModel::resetCategories(bool hideMarks) {
    for (auto& c : m_categories) {
        c.barWidth = kIdleBarWidth;
        c.buttonVisible = false;
        c.barVisible = false;
        c.selectable = false;
        if (hideMarks) c.markVisible = false;
    }
}

void BoardModel::drawDie(int n, DieBody body) {
    DieState& d = die(n);
    d.body = body;
    d.pips = d.face >= 1 && d.face <= 6 ? d.face : 0;
}

} // namespace core
