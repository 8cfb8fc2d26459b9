#include "stats/tallytext.h"

#include <vector>

namespace core {

namespace {
constexpr std::string_view kLineEnd = "\r\n";

void appendLine(std::string& out, std::string_view text) {
    for (char c : text) out.push_back(c == '\r' || c == '\n' ? ' ' : c);
    out.append(kLineEnd);
}

// Cuts the text into lines at LF, dropping a CR right before it.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        auto lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (lf != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (lf == std::string_view::npos) break;
        text.remove_prefix(lf + 1);
    }
    return lines;
}

// A count line: optional leading blanks, decimal digits, then the end of the line or a blank
// (the rest of the line is skipped). Values beyond a million are refused outright.
std::optional<long> readCount(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
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
        for (int row = 0; row < table.rowCount(); ++row) appendLine(out, table.cell(col, row));
    return out;
}

std::optional<std::string> loadgrid(std::string_view text, TallyTable& table) {
    auto lines = splitLines(text);
    auto cols = lines.size() > 0 ? readCount(lines[0]) : std::nullopt;
    if (!cols || *cols != TallyTable::kColumns)
        return std::string("The tally table has a bad column count");
    auto rows = lines.size() > 1 ? readCount(lines[1]) : std::nullopt;
    if (!rows || *rows < 1) return std::string("The tally table has a bad row count");
    const std::size_t cells = static_cast<std::size_t>(*rows) * TallyTable::kColumns;
    if (lines.size() - 2 < cells) return std::string("The tally table ends before its last cell");

    std::vector<TallyTable::Row> grid(static_cast<std::size_t>(*rows));
    std::size_t next = 2;
    for (std::size_t col = 0; col < TallyTable::kColumns; ++col)
        for (auto& row : grid) row[col] = std::string(lines[next++]);
    table.setRows(std::move(grid));
    return std::nullopt;
}

} // namespace core
