// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lobbylisting.h"

#include "host/seattestdoubles.h"

#include <gtest/gtest.h>

using app::listedTable;
using app::reachOf;

// The table as the lobby lists it: counts from the slots, the round the list knows, and the
// site's own facts; a table read back from its attributes is the same table.
TEST(LobbyListing, TableFromTheHostsState) {
    seattest::RecordingPort port;
    core::HostState state(port);
    for (auto [n, name] : {std::pair{1, "Ann"}, {2, "Bob"}, {8, "Eve"}}) {
        state.slot(n).connected = true;
        state.slot(n).name = name;
    }
    state.turn.bonuslimit = 2;
    app::TableSite site{"", "198.51.100.4", 7772, true, false, true};
    lobby::LobbyTable table = listedTable(state, site);
    EXPECT_EQ(table, (lobby::LobbyTable{"Ann", "198.51.100.4", 7772, 2, 1, 4, false, 0, 2, "1.0.2",
                                        true, true, false}));
    EXPECT_EQ(lobby::readTable(lobby::tableAttributes(table)), table);

    // A dedicated host names itself; rounds outside 1..7 of a running game are clamped.
    site.host = "host";
    site.server = true;
    state.turn.gamerunning = true;
    for (auto [engine, listed] : {std::pair{0, 1}, {4, 4}, {8, 7}}) {
        state.turn.round = engine;
        table = listedTable(state, site);
        EXPECT_EQ(table.round, listed);
        EXPECT_EQ(table.host, "host");
        EXPECT_EQ(lobby::readTable(lobby::tableAttributes(table)), table) << engine;
    }
}

TEST(LobbyListing, ReachableOnlyAtAnAddressTheInternetCanUse) {
    using Kind = core::MappingOutcome::Kind;
    const std::string cgnat = "Players outside your network cannot reach this table: your "
                              "router is behind another network (carrier-grade NAT).";
    const struct {
        core::MappingOutcome outcome;
        lobby::ReachLine reach;
    } cases[] = {
        {{Kind::Mapped, "198.51.100.4", 7772, {}}, {true, "198.51.100.4", ""}},
        {{Kind::Mapped, "100.64.1.2", 7772, {}}, {false, "100.64.1.2", cgnat}},
        {{Kind::NoAnswer, {}, 0, {}}, {false, "", lobby::kNotForwarded}},
        {{Kind::Refused, "198.51.100.4", 0, "no"}, {false, "", lobby::kNotForwarded}},
        {{Kind::Garbled, {}, 0, {}}, {false, "", lobby::kNotForwarded}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reachOf(c.outcome), c.reach) << c.outcome.externalAddress;
}
