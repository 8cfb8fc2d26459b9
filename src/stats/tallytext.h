// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tally table as text: the form the tally file holds once decompressed.
//
// Lines end with CR LF. Line 1 is the column count, line 2 the row count, then every cell on
// a line of its own, column by column (all rows of column 0 from row 0 down, then column 1,
// ...). A fresh tally is "9", "1" and nine "0" lines.

#include "stats/tallytable.h"

#include <optional>
#include <string>
#include <string_view>

namespace core {

// Writes the table. A cell never holds a line break: any CR or LF in a cell is written as a
// blank so that one odd name cannot shift every cell after it.
std::string savegrid(const TallyTable& table);

// Reads a table written by savegrid. On success the table is replaced and nullopt is
// returned; on failure the table is left as it was and the reason is returned. A count line
// is a decimal number, anything after it on its line is skipped; each cell takes its whole
// line unchanged (a line may also end with a bare LF; the last line needs no ending). Lines
// after the last cell are ignored. Refused: a column count other than 9, a row count below 1,
// above 100000 or above what the text holds, and a text that ends before its last cell.
std::optional<std::string> loadgrid(std::string_view text, TallyTable& table);

} // namespace core
