// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the table client keeps on disk: the settings file and the tally. The window's records
// adapter implements it; tests implement it with a recording fake.

#include <string>

namespace core {

class ClientRecords {
public:
    virtual ~ClientRecords() = default;

    // Reads the settings file; called when the host announces our own arrival.
    virtual void loadSettings() = 0;
    // Writes the settings file (after the reminder option changed).
    virtual void writeSettings() = 0;

    // The tally: our own Bramble (5) or bonus mode (4).
    virtual void addtomineincrease(int column) = 0;
    // Records a finished game at once, with a new highest score, and saves the tally once:
    // localWon when we are among the winners; winnersText names them ("Bob", "Ann and Bob");
    // myTotal is our running total.
    virtual void recordGame(bool localWon, const std::string& winnersText,
                            const std::string& myTotal) = 0;
};

} // namespace core
