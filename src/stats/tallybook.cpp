// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/tallybook.h"

namespace core {

std::optional<std::string> TallyBook::load() {
    m_tally.reset();
    auto result = m_file.load(m_tally.table());
    if (result.status == TallyFile::LoadStatus::Failed) return result.error;
    if (result.status == TallyFile::LoadStatus::Loaded) m_tally.loadtally();
    return std::nullopt;
}

std::optional<std::string> TallyBook::recordWinner(bool localWon, std::string_view winnersText,
                                                   std::string_view myTotal,
                                                   const TallySeats& seats, bool& recorded) {
    std::optional<std::string> error;
    recorded = m_tally.recordWinner(localWon, winnersText, myTotal, seats, error);
    if (recorded || error) save();
    return error;
}

} // namespace core
