// SPDX-License-Identifier: GPL-3.0-or-later
// The lobby room's people and tables, whatever the room sends.
#include "lobby/lobbyroster.h"

#include <gtest/gtest.h>

using namespace lobby;

namespace {

LobbyTable table(const std::string& host) {
    LobbyTable t;
    t.host = host;
    t.address = "198.51.100.7";
    t.port = 7772;
    t.seated = 2;
    t.freeSeats = 4;
    t.version = "1.0.2";
    t.reachable = true;
    return t;
}

Occupant occupant(const std::string& nick, std::optional<LobbyTable> t = std::nullopt,
                  Activity activity = Activity::InLobby) {
    Occupant o{nick, Role::Participant, activity, std::nullopt};
    if (t) o.table = tableAttributes(*t);
    return o;
}

} // namespace

TEST(LobbyRoster, PeopleAndTheirTablesComeAndGoWithTheirPresence) {
    LobbyRoster roster;
    roster.setIgnored({"Cy"});
    EXPECT_TRUE(roster.apply(occupant("Bo", table("Bo"), Activity::Hosting)));
    EXPECT_TRUE(roster.apply(occupant("Ann")));
    EXPECT_TRUE(roster.apply(occupant("Cy", table("")))); // an empty host means the publisher
    EXPECT_FALSE(roster.apply(occupant("Ann")));          // the same presence again
    ASSERT_EQ(roster.people().size(), 3u);
    EXPECT_EQ(roster.people()[0].nick, "Ann");
    EXPECT_TRUE(roster.person("Cy")->ignored);
    EXPECT_EQ(roster.person("Bo")->activity, Activity::Hosting);
    ASSERT_EQ(roster.tables().size(), 2u);
    EXPECT_EQ(roster.tables()[0].publisher, "Bo");

    // A new presence without the element takes the table away; leaving takes everything.
    EXPECT_TRUE(roster.apply(occupant("Bo")));
    EXPECT_TRUE(roster.remove("Cy"));
    EXPECT_FALSE(roster.remove("Cy"));
    EXPECT_TRUE(roster.tables().empty());
    EXPECT_FALSE(roster.person("Cy"));
}

TEST(LobbyRoster, HostileOccupantsAreBoundedAndTablesMustBeTheirOwn) {
    LobbyRoster roster;
    for (int i = 0; i < 10000; ++i)
        roster.apply(occupant("p" + std::to_string(i), table("")));
    EXPECT_EQ(roster.people().size(), kMaxOccupants);
    EXPECT_EQ(roster.tables().size(), kMaxOccupants);
    roster.clear();

    EXPECT_FALSE(roster.apply(occupant(std::string(kMaxNick + 1, 'x'))));
    EXPECT_FALSE(roster.apply(occupant("")));

    // Another occupant's name, lying counts, oversized or unknown attributes: no table.
    roster.apply(occupant("Ann"));
    roster.apply(occupant("Eve", table("Ann")));
    EXPECT_TRUE(roster.person("Eve"));
    LobbyTable lying = table("");
    lying.seated = 6;
    lying.freeSeats = 6;
    roster.apply(occupant("Liar", lying));
    Occupant huge = occupant("Huge", table(""));
    for (auto& [key, value] : *huge.table)
        if (key == "address") value = std::string(100000, 'a');
    roster.apply(huge);
    Occupant garbage{"Junk", Role::Participant, Activity::Hosting,
                     Attributes(5000, {std::string(1000, 'k'), std::string(1000, 'v')})};
    roster.apply(garbage);
    EXPECT_TRUE(roster.tables().empty());

    // A table that was fine and turns bad goes.
    roster.apply(occupant("Bo", table("Bo")));
    roster.apply(occupant("Bo", lying));
    EXPECT_TRUE(roster.tables().empty());
}

TEST(LobbyRoster, FiltersOfTheTableList) {
    LobbyTable t = table("Bo");
    EXPECT_TRUE(passes(t, {true, true, "1.0.2"}));
    t.freeSeats = 0;
    EXPECT_FALSE(passes(t, {true, false, ""}));
    t.running = true;
    EXPECT_FALSE(passes(t, {false, true, ""}));
    EXPECT_FALSE(passes(t, {false, false, "1.0.3"}));
    EXPECT_TRUE(passes(t, {}));
}
