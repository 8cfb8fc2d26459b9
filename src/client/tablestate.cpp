// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/tablestate.h"

#include "client/clientport.h"
#include "client/tablefields.h"

namespace core {

TableState::TableState(const ClientPorts& ports)
    : transport(ports.transport), presentation(ports.presentation), menus(ports.menus),
      records(ports.records) {}

std::string TableState::seatName(int seat) const {
    return isSeat(seat) ? board.seat(seat).label : std::string();
}

void TableState::chatLine(const std::string& body) {
    presentation.addlinetochat(body, systemcolour);
}

void TableState::startAnimation() {
    animating = true;
    presentation.startDiceAnimation();
}

void TableState::stopAnimation() {
    animating = false;
    presentation.stopDiceAnimation();
}

void TableState::setJustWatch(bool checked) {
    justWatchChecked = checked;
    menus.setJustWatchChecked(checked);
}

} // namespace core
