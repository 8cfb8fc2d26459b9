// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tally's table of text cells.
//
// Nine columns (0-8) and 1 + n rows. Row 0 holds the local player's own totals in columns
// 1-5 (games, wins, highest score, bonus modes, Brambles); columns 0 and 6-8 carry "0".
// Rows 1..n hold one tallied opponent each: column 0 his name, columns 1-4 all-time counts
// (games together, his wins, our wins, neither), columns 5-8 the same for this session.
// Every cell except an opponent's name is meant to hold a plain decimal counter.

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace core {

// A counter cell that does not convert, or a counter that would overflow.
class TallyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TallyTable {
public:
    static constexpr int kColumns = 9;
    using Row = std::array<std::string, kColumns>;

    // A fresh table: row 0 only, "0" in every column.
    TallyTable();

    int colCount() const { return kColumns; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }

    // Cells outside the table read as empty text; writes outside it are dropped.
    const std::string& cell(int col, int row) const;
    void setCell(int col, int row, std::string text);

    // Appends an opponent row: the name in column 0 and "0" in columns 1-8.
    void appendOpponent(std::string name);
    // Removes opponent row r (1 <= r < rowCount()), moving the rows below it up by one.
    // Row 0 is never removed; other rows outside the table are ignored.
    void moverow(int r);
    // Adds 1 to the counter at (col, row) and returns the new value. Throws TallyError when
    // the cell does not hold a decimal integer (or the cell is outside the table).
    int addit(int col, int row);
    // Back to the fresh state.
    void reset();

    // Whole-row access for the text reader.
    const std::vector<Row>& rows() const { return m_rows; }
    void setRows(std::vector<Row> rows);

private:
    std::vector<Row> m_rows;
};

} // namespace core
