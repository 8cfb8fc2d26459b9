// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/turncontrols.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "client/tablestate.h"
#include "net/messages.h"

#include <array>
#include <vector>

namespace core {

void TurnControls::remindme1Click() {
    m_remindMe = !m_remindMe;
    m_state.records.writeSettings();
}

void TurnControls::button_rollClick() {
    const bool noCategory = m_state.board.workingCategory == 0;
    const int rolls = m_state.board.rollsUsed();
    if (m_state.myTurn() && noCategory && rolls == 2) {
        m_state.board.panelError1Visible = true;
        m_state.presentation.playsounds("error");
        m_state.presentation.boardChanged();
        return;
    }
    if (m_state.myTurn() && noCategory && rolls > 0) {
        if (m_remindMe) {
            m_state.board.panelErrorVisible = true;
            m_state.presentation.playsounds("error");
            m_state.presentation.boardChanged();
            return;
        }
        // Without a working category holds do not count: everything rolls again.
        for (int d = 1; d <= kDiceCount; ++d) {
            m_state.board.die(d).held = false;
            m_state.board.die(d).top = kDieRestTop;
        }
    }
    if (m_state.myTurn() && m_state.loggedin) {
        std::vector<int> dice;
        for (int d = 1; d <= kDiceCount; ++d)
            if (!m_state.board.die(d).held) dice.push_back(d);
        m_state.transport.send(msg::toHost::Rollthedice::build(m_state.myslot, dice));
    }
    m_state.board.rollVisible = false;
    m_state.turnseat = 0;
    m_state.presentation.boardChanged();
}

void TurnControls::button_yesClick() {
    if (m_state.myTurn() && m_state.loggedin) {
        for (int d = 1; d <= kDiceCount; ++d)
            m_state.board.die(d).top = kDieRestTop;
        static constexpr std::array<int, kDiceCount> kAllDice{1, 2, 3, 4, 5};
        m_state.transport.send(msg::toHost::Rollthedice::build(m_state.myslot, kAllDice));
    }
    m_state.board.panelErrorVisible = false;
    m_state.board.rollVisible = false;
    m_state.turnseat = 0;
    m_state.presentation.boardChanged();
}

void TurnControls::button_noClick() {
    m_state.board.panelErrorVisible = false;
    m_state.presentation.boardChanged();
}

void TurnControls::button_okClick() {
    m_state.board.panelError1Visible = false;
    m_state.presentation.boardChanged();
}

void TurnControls::image_dMouseUp(int die, MouseButton button) {
    if (!isDie(die) || button != MouseButton::Left || !m_state.myTurn() || m_state.animating)
        return;
    DieState& d = m_state.board.die(die);
    d.held = !d.held;
    d.top = d.held ? kDieRaisedTop : kDieRestTop;
    m_state.board.drawDie(die, DieBody::Plain);
    m_state.presentation.playsounds(d.held ? "set" : "unset");
    m_state.presentation.boardChanged();
}

void TurnControls::categoryClick(int category) {
    if (!isCategory(category) || !m_state.loggedin || !m_state.myTurn()) return;
    if (!m_state.board.category(category).selectable) return;
    m_state.transport.send(msg::toHost::Selectcat::build(m_state.myslot, category));
    m_state.turnseat = 0;
    m_state.presentation.boardChanged();
}

void TurnControls::dicetimerTimer() {
    std::uniform_int_distribution<int> face(1, 6);
    for (int d = 1; d <= kDiceCount; ++d) {
        DieState& die = m_state.board.die(d);
        die.body = DieBody::Plain;
        die.pips = face(m_rng);
    }
    m_state.presentation.diceChanged();
}

} // namespace core
