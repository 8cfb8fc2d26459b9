#pragma once
// Text that reaches a host log (standard error of a dedicated host) may carry what a peer
// sent: a name, a chat line. Written as it is, an ANSI escape or a carriage return would
// rewrite the operator's terminal or forge log lines, so control characters are shown as
// "\xNN" (and a backslash as "\\"); everything else, UTF-8 included, passes unchanged.

#include <string>
#include <string_view>

namespace core {

std::string logSafe(std::string_view text);

} // namespace core
