// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/tallytext.h"

#include <vector>

namespace core {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
// Far more opponents than anybody follows; a count beyond it is damage, and honouring it
// would build a table (and a list) of millions of rows.
constexpr long kMaxRows = 100000;

void appendLine(std::string& out, std::string_view text) {
    for (char c : text)
        out.push_back(c == '\r' || c == '\n' ? ' ' : c);
    out.append(kLineEnd);
}

// Hands out the text's lines one at a time, cut at LF with a CR right before it dropped; a
// last line without an ending counts when it is not empty. Nothing is copied, so a huge text
// costs no more than itself.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_rest(text) {}
    std::optional<std::string_view> next() {
        if (m_rest.empty()) return std::nullopt;
        const auto lf = m_rest.find('\n');
        std::string_view line = m_rest.substr(0, lf);
        if (lf != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_rest.remove_prefix(lf == std::string_view::npos ? m_rest.size() : lf + 1);
        return line;
    }
    // Lines still to come, counted without keeping them.
    std::size_t remaining() const {
        std::size_t n = 0;
        for (auto lf = m_rest.find('\n'); lf != std::string_view::npos;
             lf = m_rest.find('\n', lf + 1))
            ++n;
        if (!m_rest.empty() && m_rest.back() != '\n') ++n;
        return n;
    }

private:
    std::string_view m_rest;
};

// A count line: optional leading blanks, decimal digits, then the end of the line or a blank
// (the rest of the line is skipped). Values beyond a million are refused outright.
std::optional<long> readCount(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    std::size_t start = i;
    long value = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
        value = value * 10 + (line[i] - '0');
        if (value > 1000000) return std::nullopt;
        ++i;
    }
    if (i == start) return std::nullopt;
    if (i < line.size() && line[i] != ' ' && line[i] != '\t') return std::nullopt;
    return value;
}
} // namespace

std::string savegrid(const TallyTable& table) {
    std::string out;
    appendLine(out, std::to_string(table.colCount()));
    appendLine(out, std::to_string(table.rowCount()));
    for (int col = 0; col < table.colCount(); ++col)
        for (int row = 0; row < table.rowCount(); ++row)
            appendLine(out, table.cell(col, row));
    return out;
}

std::optional<std::string> loadgrid(std::string_view text, TallyTable& table) {
    LineCursor lines(text);
    const auto colLine = lines.next();
    const auto cols = colLine ? readCount(*colLine) : std::nullopt;
    if (!cols || *cols != TallyTable::kColumns)
        return std::string("The tally table has a bad column count");
    const auto rowLine = lines.next();
    const auto rows = rowLine ? readCount(*rowLine) : std::nullopt;
    if (!rows || *rows < 1 || *rows > kMaxRows)
        return std::string("The tally table has a bad row count");
    const std::size_t cells = static_cast<std::size_t>(*rows) * TallyTable::kColumns;
    if (lines.remaining() < cells) return std::string("The tally table ends before its last cell");

    std::vector<TallyTable::Row> grid(static_cast<std::size_t>(*rows));
    for (std::size_t col = 0; col < TallyTable::kColumns; ++col)
        for (auto& row : grid)
            row[col] = std::string(*lines.next());
    table.setRows(std::move(grid));
    return std::nullopt;
}

} // namespace core
