// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text that reaches a host log (standard error of a dedicated host) may carry what a peer
// sent: a name, a chat line. Written as it is, an ANSI escape or a carriage return would
// rewrite the operator's terminal or forge log lines, so control characters are shown as
// "\xNN" (and a backslash as "\\"); everything else, UTF-8 included, passes unchanged.

#include <string>
#include <string_view>

namespace core {

std::string logSafe(std::string_view text);

// `text` as a JSON string, quotes included, for a log line read by machines: valid UTF-8 passes,
// control characters become \u00XX, and a byte that starts no valid UTF-8 sequence (a name
// typed in an 8-bit code page) is taken as Latin-1 and written as \u00XX, so the line stays
// valid JSON whatever a peer sent.
std::string jsonQuoted(std::string_view text);

} // namespace core
