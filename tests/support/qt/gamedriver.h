// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays a table window's own turns with a plain strategy, for tests that need a whole game (or
// a turn) to move on against a real host: answer a warning panel; after the first roll choose
// the open face category with the most dice showing it (the straight when no face is
// offered); before each further roll hold the dice that fit the working category; roll.
// The strategy says what to do; each test carries the move out its own way (clicks, keys).

#include <functional>
#include <vector>

namespace ui {
class Tchat;
} // namespace ui

namespace testsupport {

// The window's player is on turn and may roll.
bool myTurnToRoll(const ui::Tchat& window);

struct Move {
    enum class Kind {
        Wait,     // not this player's move
        AnswerNo, // the warning with Yes and No ("panel_error")
        AnswerOk, // the warning with OK ("panel_error1")
        Category, // choose `category`
        Roll,     // hold exactly the dice in `keep`, then roll
    };
    Kind kind = Kind::Wait;
    int category = 0;
    std::vector<int> keep; // dice numbers, ascending
};

// The next move of the window's player.
Move nextMove(const ui::Tchat& window);

// Carries the move out by clicks on the board's controls; false when nothing was clicked.
bool clickMove(ui::Tchat& window, const Move& move);

// Runs step() until done() holds or timeoutMs has passed; after a step that did nothing it
// waits for the next event (a host message, a timer), at most 50 ms, instead of spinning.
// Returns done().
bool playUntil(const std::function<bool()>& done, const std::function<bool()>& step, int timeoutMs);

} // namespace testsupport
