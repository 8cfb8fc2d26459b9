// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tally kept for the life of the program, whether or not its window is ever shown: the
// counts (core::Tally) and their file. It is read once at start-up, written after every
// recorded game and written again when it goes.
//
//   core::TallyBook book(settingsDirectory);
//   if (auto failed = book.load()) showError(*failed);
//   book.recordWinner(true, "Ann", "212", seats);

#include "stats/tally.h"
#include "stats/tallyfile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace core {

class TallyBook {
public:
    explicit TallyBook(std::filesystem::path directory) : m_file(std::move(directory)) {}
    ~TallyBook() { save(); }
    TallyBook(const TallyBook&) = delete;
    TallyBook& operator=(const TallyBook&) = delete;

    // Starts from a fresh tally and reads the file; the session columns start at "0". The
    // error text when the file was there but could not be read (the tally then stays fresh).
    std::optional<std::string> load();
    // Writes the file now; false when it could not be written (the old file stays).
    bool save() { return !m_file.save(m_tally.table()); }

    // Tally::recordWinner, and the file written when anything was recorded. recorded tells
    // whether the counts changed; the error text, if any, stopped the recording.
    std::optional<std::string> recordWinner(bool localWon, std::string_view winnersText,
                                            std::string_view myTotal, const TallySeats& seats,
                                            bool& recorded);

    Tally& tally() { return m_tally; }
    const Tally& tally() const { return m_tally; }
    TallyFile& file() { return m_file; }

private:
    Tally m_tally;
    TallyFile m_file;
};

} // namespace core
