// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/scriptedseat.h"

namespace testsupport {

std::vector<std::string> ScriptedSeat::answer(const ClientBoard& board,
                                              const std::string& message) {
    const auto f = fieldsOf(message);
    const std::string me = std::to_string(m_seat);
    if (f.size() < 2 || f[1] != me) return {};
    const std::string roll = "CMD_rollthedice+" + me;
    if (f[0] == "CMD_nextplayer") {
        ++m_turns;
        m_aim = 0;
        return {roll + "+1+2+3+4+5"};
    }
    if (f[0] != "CMD_createdice" || board.rolls >= 3) return {};

    std::vector<std::string> out;
    if (m_aim == 0) m_aim = board.workingcat;
    if (m_aim == 0 && !board.open.empty()) {
        m_aim = board.open.front();
        out.push_back("CMD_selectcat+" + me + "+" + std::to_string(m_aim) + "+");
    }
    std::string reroll = roll;
    for (int d = 1; d <= 5; ++d)
        if (m_aim != 7 && board.dice[static_cast<std::size_t>(d)] != m_aim)
            reroll += "+" + std::to_string(d);
    out.push_back(reroll == roll ? roll + "+0" : reroll);
    return out;
}

} // namespace testsupport
