// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/tallytable.h"

#include "net/fields.h"

#include <climits>

namespace core {

namespace {
const std::string kEmpty;

TallyTable::Row zeroRow() {
    TallyTable::Row row;
    row.fill("0");
    return row;
}
} // namespace

TallyTable::TallyTable() {
    reset();
}

const std::string& TallyTable::cell(int col, int row) const {
    if (col < 0 || col >= kColumns || row < 0 || row >= rowCount()) return kEmpty;
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TallyTable::setCell(int col, int row, std::string text) {
    if (col < 0 || col >= kColumns || row < 0 || row >= rowCount()) return;
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = std::move(text);
}

void TallyTable::appendOpponent(std::string name) {
    Row row = zeroRow();
    row[0] = std::move(name);
    m_rows.push_back(std::move(row));
}

void TallyTable::moverow(int r) {
    if (r < 1 || r >= rowCount()) return;
    m_rows.erase(m_rows.begin() + r);
}

int TallyTable::addit(int col, int row) {
    const std::string& text = cell(col, row);
    auto value = parseInt(text);
    if (!value) throw TallyError("'" + text + "' is not a valid integer value");
    if (*value == INT_MAX) throw TallyError("'" + text + "' is too large to count on");
    setCell(col, row, std::to_string(*value + 1));
    return *value + 1;
}

void TallyTable::reset() {
    m_rows.assign(1, zeroRow());
}

void TallyTable::setRows(std::vector<Row> rows) {
    if (rows.empty()) return reset();
    m_rows = std::move(rows);
}

} // namespace core
