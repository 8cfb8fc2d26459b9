// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table client's coaching: the Hint for the local player's turn (a text for the window to
// show and the dice it would keep raised, nothing sent), and the game-review chat line at the end
// of a game, from the decisions the host announced for the local player's seat.

#include "client/coach.h"
#include "client/hostevents.h"

#include <string>

namespace core {

struct TableState;

class Coaching {
public:
    explicit Coaching(TableState& state) : m_state(state) {}

    // Before the board shows the message: it still shows the position the announced decision
    // was taken in.
    void startgame(const fromHost::Startgame& event);
    void createdice(const fromHost::Createdice& roll);
    void selectedcat(const fromHost::Selectedcat& choice);
    // After "CMD_winner" was shown.
    void winner(const fromHost::Winner& event);

    // Whether a hint can be given now: the local player's turn, a request not on its way.
    bool hintAvailable() const;
    // Raises the dice the hint keeps and returns its text (empty when there is none now),
    // which says so when the player's own holds were changed. `style`: the computer player
    // the hint measures against.
    std::string hintClick(ComputerStyle style = ComputerStyle::Classic);

    // The local player's position as the board shows it, and the game's bonus-roll limit.
    TurnPosition myPosition() const;
    int bonusLimit() const;

private:
    bool judging(int seat) const;

    TableState& m_state;
    Coach m_coach;
};

} // namespace core
