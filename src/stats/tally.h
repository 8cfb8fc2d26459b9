// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tally's bookkeeping: the table, the players being tallied and the players in the
// current game, and the recording of game results.
//
// "Players Being Tallied" is the name column of the opponent rows: item i is table row
// i + 1, so the list and the table cannot drift apart. Looking a name up in it ignores
// letter case (ASCII); deciding who won compares names exactly.
//
// "Players In Current Game" is rebuilt from the seat labels by loadchecklist each time it is
// needed; an item is checked when that player is being tallied.

#include "net/protocol.h"
#include "stats/tallytable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// What the table window's seats show right now: the name label of seats 1.. in order and the
// local player's slot.
struct TallySeats {
    std::vector<std::string> labels;
    int myslot = 0;
};

class Tally {
public:
    struct CheckItem {
        std::string name;
        bool checked = false;
    };

    // The seat label of an empty seat.
    static constexpr std::string_view kEmptySeat = "<Waiting>";
    // addgame's text for a game the local player won (alone or shared).
    static constexpr std::string_view kAddToMine = "addtomine";

    TallyTable& table() { return m_table; }
    const TallyTable& table() const { return m_table; }

    // Players Being Tallied.
    int opponentCount() const { return m_table.rowCount() - 1; }
    const std::string& opponentName(int index) const { return m_table.cell(0, index + 1); }
    // Index in Players Being Tallied, letter case ignored; -1 when not tallied.
    int findTallied(std::string_view name) const;
    // Starts tallying a player: a new row with his name and "0" counters. False (and nothing
    // changes) when he is tallied already. Line breaks in the name become blanks.
    bool addOpponent(std::string_view name);
    // Stops tallying the player at that index of Players Being Tallied.
    void removeOpponent(int index);

    // Players In Current Game.
    void loadchecklist(const TallySeats& seats);
    const std::vector<CheckItem>& checklist() const { return m_checklist; }

    // Records one finished game. text is the sole winner's name, or "addtomine" when the local
    // player is among the winners. Returns the error text when a counter would not convert;
    // counters changed before it keep their values and the rest of the recording is skipped.
    std::optional<std::string> addgame(std::string_view text, const TallySeats& seats);
    // Personal counters (column 1-5 of row 0).
    std::optional<std::string> addtomineincrease(int col);
    void addtomineset(int col, std::string text);

    // What the table client records when the winners are announced: nothing for a spectator;
    // a win of ours when localWon; nothing when two or more others share the win (the
    // winners' text holds " and "); otherwise a win of the named player. Then a new highest
    // score when myTotal beats column 3 (both must be integers). Returns true when anything
    // was recorded; an error text from addgame goes to error and stops the recording.
    bool recordWinner(bool localWon, std::string_view winnersText, std::string_view myTotal,
                      const TallySeats& seats, std::optional<std::string>& error);

    // After loading: the session columns of every opponent start at "0".
    void loadtally();
    // Back to a fresh tally: no opponents, every counter "0".
    void reset();

private:
    TallyTable m_table;
    std::vector<CheckItem> m_checklist;
};

} // namespace core
