// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The local player's controls during a turn: Roll (with the checks that stop a roll without a
// working category), the two warning panels, holding dice, choosing a category, the dice
// tumbling while the host rolls, and the remind-me option that arms the first warning.
//
// Every request to the host sets `turnseat` to 0, so a second click does nothing until the
// host answers; holds are the only change made to the board without the host.

#include <random>

namespace core {

struct TableState;

enum class MouseButton { Left, Right, Middle };

class TurnControls {
public:
    TurnControls(TableState& state, unsigned animationSeed)
        : m_state(state), m_rng(animationSeed) {}

    void button_rollClick();
    void button_yesClick();
    void button_noClick();
    void button_okClick();
    void image_dMouseUp(int die, MouseButton button);
    void categoryClick(int category); // image_button<n> and image_spacer<n>
    // One tick of the dice animation: every die shows the plain body and random pips.
    void dicetimerTimer();

    void remindme1Click();
    // Settings load sets the reminder without writing the file back.
    void setRemindMe(bool checked) { m_remindMe = checked; }
    bool remindMe() const { return m_remindMe; }

private:
    TableState& m_state;
    std::mt19937 m_rng;
    bool m_remindMe = true;
};

} // namespace core
