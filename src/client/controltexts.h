// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the board's painted controls say to a screen reader: a die, a category tile, a score
// cell, a seat label and the rolls indicator, each as one short text built from the board
// model. The Qt side hands these texts to the accessibility interfaces; nothing here draws.

#include "client/boardmodel.h"

#include <string>

namespace core {

// "Ones" .. "Sixes", "Bramble" for 1..7, "Total" for row 8; empty outside.
std::string rowName(int row);
// "one" .. "six"; empty outside 1..6.
std::string faceWord(int face);

// The seat whose column the board highlights as the one on turn; 0 when none is.
int highlightedSeat(const BoardModel& board);

// "Die 3: five, held", "Die 3: five", "Die 3: not rolled".
std::string dieText(const BoardModel& board, int die);
// "Fours, scored 12" (the seat on turn has a score there), "Fours, selected" (the working
// category), "Fours, open" (may be chosen now), or just "Fours".
std::string categoryText(const BoardModel& board, int category);
// "Ann, Fours: 12", "Ann, Total: 57"; an empty cell reads "Ann, Fours: not scored".
std::string cellText(const BoardModel& board, int seat, int row);
// "Seat 2: Ann", then ", just watching", ", not playing" and ", on turn" as they apply.
std::string seatText(const BoardModel& board, int seat);
// "2 of 3 rolls used"; a count the indicator cannot show reads "No rolls shown".
std::string rollsText(int rollsUsed);

} // namespace core
