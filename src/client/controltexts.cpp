// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/controltexts.h"

namespace core {

namespace {

constexpr const char* kRowNames[kScoreRows] = {"Ones",  "Twos",  "Threes",  "Fours",
                                               "Fives", "Sixes", "Bramble", "Total"};
constexpr const char* kFaceWords[6] = {"one", "two", "three", "four", "five", "six"};

} // namespace

std::string rowName(int row) {
    return row >= 1 && row <= kScoreRows ? kRowNames[row - 1] : "";
}

std::string faceWord(int face) {
    return face >= 1 && face <= 6 ? kFaceWords[face - 1] : "";
}

int highlightedSeat(const BoardModel& board) {
    if (!board.scoreturnVisible) return 0;
    for (int s = 1; s <= kSeatCount; ++s)
        if (BoardModel::columnLeft(s) == board.scoreturnLeft) return s;
    return 0;
}

std::string dieText(const BoardModel& board, int die) {
    const DieState& d = board.die(die);
    std::string text = "Die " + std::to_string(die) + ": ";
    const std::string face = faceWord(d.face);
    text += face.empty() ? "not rolled" : face;
    if (d.held) text += ", held";
    return text;
}

std::string categoryText(const BoardModel& board, int category) {
    std::string text = rowName(category);
    const CategoryState& c = board.category(category);
    const int seat = highlightedSeat(board);
    const std::string scored = seat ? board.cell(seat, category).text : std::string();
    if (!scored.empty())
        text += ", scored " + scored;
    else if (board.workingCategory == category && c.markVisible)
        text += ", selected";
    else if (c.selectable)
        text += ", open";
    return text;
}

std::string cellText(const BoardModel& board, int seat, int row) {
    const std::string& value = board.cell(seat, row).text;
    return board.seat(seat).label + ", " + rowName(row) + ": " +
           (value.empty() ? std::string("not scored") : value);
}

std::string seatText(const BoardModel& board, int seat) {
    const SeatState& s = board.seat(seat);
    std::string text = "Seat " + std::to_string(seat) + ": " + s.label;
    if (s.eyes) text += ", just watching";
    if (s.notPlaying) text += ", not playing";
    if (highlightedSeat(board) == seat) text += ", on turn";
    return text;
}

std::string rollsText(int rollsUsed) {
    if (rollsUsed < 0 || rollsUsed > 3) return "No rolls shown";
    return std::to_string(rollsUsed) + " of 3 rolls used";
}

} // namespace core
