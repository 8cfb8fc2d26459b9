// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table as the client shows it: score sheet, column highlight, category buttons and bars,
// dice, rolls, texts, winner panel, seat labels and their marks, and the turn controls'
// visibility. Plain data plus the few operations every handler shares; the view redraws
// from it and never decides anything itself.

#include "game/counts.h"
#include "net/protocol.h"

#include <array>
#include <cstdint>
#include <string>

namespace core {

inline constexpr int kDieRestTop = 119;
inline constexpr int kDieRaisedTop = 110;
inline constexpr int kIdleBarWidth = 11;
inline constexpr std::uint32_t kGreyColour = 0x00595959;
inline constexpr std::uint32_t kBlackColour = 0x00000000;

inline constexpr const char* kWaiting = "<Waiting>";
inline constexpr const char* kSeat2Fallback = "Vosk";

// The body a die picture is drawn with: Blank (a cleared picture), the plain red body or the
// bonus body with its light rim.
enum class DieBody { Blank, Plain, Bonus };

struct ScoreCell {
    std::string text;
    bool grey = false; // grey 0x595959 rather than black
    bool bold = false;
};

struct CategoryState {
    int barWidth = kIdleBarWidth;
    bool buttonVisible = false;
    bool barVisible = false;
    bool markVisible = false; // image_cat: the working category
    bool selectable = false;  // shared by the button and the bar
};

struct DieState {
    int face = 0; // 0: not rolled yet in this turn
    bool held = false;
    int top = kDieRestTop;
    DieBody body = DieBody::Blank; // the picture as drawn
    int pips = 0;                  // the pips drawn on it, 0 for none
    bool bonusMark = false;        // image_bonus above the die
};

struct SeatState {
    std::string label = kWaiting; // label_playername
    bool eyes = false;            // image_eyes: just watching
    bool notPlaying = false;      // image_notplaying (seats 3..6 only)
    bool winnerMark = false;      // image_winner
};

class BoardModel {
public:
    BoardModel();

    // Column geometry by seat 1..6 (0 for a seat outside the table).
    static int columnLeft(int seat);
    static int activeBarWidth(int seat);
    // "Unlimited Bonus Rolls", "Bonus Rolls Limited to 1 Roll", "... to N Rolls".
    static std::string limitText(const std::string& limit);

    // Empties the board between games.
    void clearall();
    // Greys every column still black, then makes the seat's column black and bold.
    void highlightColumn(int seat);
    // Every category back to idle: short bar, button and bar hidden, not selectable.
    void resetCategories(bool hideMarks);
    // Draws a die with the given body and its current face.
    void drawDie(int die, DieBody body);

    // Rolls indicator frame: 0..3 crossed boxes, -1 for an empty picture.
    int rollsFrame() const { return m_rollsUsed >= 0 && m_rollsUsed <= 3 ? m_rollsUsed : -1; }

    // Accessors are 1-based like the controls' names; out-of-range access is the caller's bug.
    ScoreCell& cell(int seat, int row) { return m_cells[seat - 1][row - 1]; }
    const ScoreCell& cell(int seat, int row) const { return m_cells[seat - 1][row - 1]; }
    CategoryState& category(int n) { return m_categories[n - 1]; }
    const CategoryState& category(int n) const { return m_categories[n - 1]; }
    DieState& die(int n) { return m_dice[n - 1]; }
    const DieState& die(int n) const { return m_dice[n - 1]; }
    SeatState& seat(int n) { return m_seats[n - 1]; }
    const SeatState& seat(int n) const { return m_seats[n - 1]; }

    // Column highlight image_scoreturn; its tag is the working category.
    bool scoreturnVisible = false;
    int scoreturnLeft = 0;
    int currentBarWidth = kIdleBarWidth;
    int workingCategory = 0;

    std::string roundText = "Round: 0";
    std::string limitLabel = "Bonus Rolls Limited to 5 Rolls";
    std::string status = "Welcome to Brambles";

    bool winnerPanelVisible = false;
    std::string winner1 = "Winner!";
    std::string winner2 = "Winner!";

    bool startVisible = false;
    bool rollVisible = false;
    bool panelErrorVisible = false;  // "Roll Without Selecting A Category?"
    bool panelError1Visible = false; // "You must select a Category before ..."

    int rollsUsed() const { return m_rollsUsed; }
    void setRollsUsed(int n) { m_rollsUsed = n; }

private:
    std::array<std::array<ScoreCell, kScoreRows>, kSeatCount> m_cells{};
    std::array<CategoryState, kCategoryCount> m_categories{};
    std::array<DieState, kDiceCount> m_dice{};
    std::array<SeatState, kSeatCount> m_seats{};
    int m_rollsUsed = 0;
};

} // namespace core
