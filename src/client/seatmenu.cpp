// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/seatmenu.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "client/tablestate.h"
#include "net/messages.h"

namespace core {

SeatMenuState SeatMenu::label_playernameMouseUp(int seat) {
    m_menu.seat = seat;
    const bool leads = m_state.leadsTable();
    m_menu.removeEnabled = leads;
    m_menu.setJustWatchEnabled = leads;
    m_menu.unsetJustWatchEnabled = leads;
    if (isSeat(seat) && m_state.board.seat(seat).label == kWaiting) m_menu.removeEnabled = false;
    return m_menu;
}

void SeatMenu::RemoveFromGame1Click() {
    kicking(m_menu.seat);
}

void SeatMenu::SettoJustWatch1Click() {
    if (!m_state.loggedin || !isSeat(m_menu.seat)) return;
    m_state.transport.send(msg::toHost::Justwatch::build(m_menu.seat, msg::kJustWatchOn));
}

void SeatMenu::UnsetJustWatch1Click() {
    if (!m_state.loggedin || !isSeat(m_menu.seat)) return;
    m_state.transport.send(msg::toHost::Justwatch::build(m_menu.seat, msg::kJustWatchOff));
}

void SeatMenu::kicking(int slot) {
    if (!m_state.leadsTable() || !m_state.loggedin) return;
    m_state.transport.send(msg::toHost::Kickhim::build(m_state.myslot, slot));
}

} // namespace core
