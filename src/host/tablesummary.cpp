// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/tablesummary.h"

namespace core {

TableAnnouncement summariseTable(const HostState& state) {
    TableAnnouncement t;
    t.version = kVersionText;
    t.running = state.turn.gamerunning;
    const PlayerSlot& first = state.slot(1);
    if (first.connected) t.host = first.name;
    for (int n = 1; n <= kMaxSlot; ++n) {
        const PlayerSlot& s = state.slot(n);
        const bool present = s.connected && !s.name.empty();
        if (n <= kSeatCount) {
            if (present) ++t.seated;
            if (!s.connected) ++t.freeSeats;
        } else if (present) {
            ++t.spectators;
        }
    }
    return t;
}

} // namespace core
