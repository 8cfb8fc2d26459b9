// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/tablesummary.h"

#include "host/seattestdoubles.h"

#include <gtest/gtest.h>

using namespace core;

TEST(TableSummary, CountsWhoIsPresent) {
    seattest::RecordingPort port;
    HostState state(port);
    EXPECT_EQ(summariseTable(state), (TableAnnouncement{"", 0, 0, 6, false, "1.0.2"}));

    auto sit = [&](int n, const char* name) {
        state.slot(n).connected = true;
        state.slot(n).name = name;
    };
    sit(1, "Ann");
    sit(3, "Bob");
    sit(8, "Eve");
    state.slot(4).connected = true; // accepted, not logged in yet: holds a seat, not counted
    state.turn.gamerunning = true;
    EXPECT_EQ(summariseTable(state), (TableAnnouncement{"Ann", 2, 1, 3, true, "1.0.2"}));
}
