#include "client/tablestate.h"

#include "client/clientport.h"
#include "client/tablefields.h"

namespace core {

std::string TableState::seatName(int seat) const {
    return isSeat(seat) ? board.seat(seat).label : std::string();
}

void TableState::chatLine(const std::string& body) {
    port.addlinetochat(body, systemcolour);
}

void TableState::startAnimation() {
    animating = true;
    port.startDiceAnimation();
}

void TableState::stopAnimation() {
    animating = false;
    port.stopDiceAnimation();
}

void TableState::setJustWatch(bool checked) {
    justWatchChecked = checked;
    port.setJustWatchChecked(checked);
}

} // namespace core
