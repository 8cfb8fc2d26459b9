// SPDX-License-Identifier: GPL-3.0-or-later
// What the lobby publishes about the game it started, and how often.
#include "lobby/gameaddress.h"
#include "lobby/gamepresence.h"
#include "lobby/publishthrottle.h"

#include <gtest/gtest.h>

using namespace lobby;

TEST(PublishThrottle, AtMostOnceASecondAndOnlyTheLatest) {
    std::int64_t now = 5000;
    PublishThrottle throttle([&now] { return now; });
    const Presence lobby{};
    const Presence playing{Activity::Playing, std::nullopt};
    const Presence hosting{Activity::Hosting, std::nullopt};

    EXPECT_EQ(throttle.offer(playing), playing); // the first goes at once
    EXPECT_FALSE(throttle.offer(playing));       // nothing new
    EXPECT_FALSE(throttle.wakeInMs());
    now += 300;
    EXPECT_FALSE(throttle.offer(hosting));
    EXPECT_FALSE(throttle.offer(lobby));
    EXPECT_EQ(throttle.wakeInMs(), 700);
    EXPECT_FALSE(throttle.due());
    now += 700;
    EXPECT_EQ(throttle.due(), lobby); // the latest, not the one before
    EXPECT_FALSE(throttle.due());

    // Changing back within the second to what was sent sends nothing.
    now += 100;
    EXPECT_FALSE(throttle.offer(hosting));
    EXPECT_FALSE(throttle.offer(lobby));
    EXPECT_FALSE(throttle.wakeInMs());
    now += 5000;
    EXPECT_EQ(throttle.offer(hosting), hosting);
}

TEST(GamePresence, HostingListsOnlyAReachableTable) {
    LobbyTable fromGame;
    fromGame.host = "Ann in game";
    fromGame.address = "192.168.1.4";
    fromGame.port = 1;
    fromGame.seated = 1;
    fromGame.freeSeats = 5;
    fromGame.version = "1.0.2";

    GamePresence game;
    EXPECT_EQ(game.presence("Ann"), Presence{});
    game.joined();
    game.apply(fromGame); // a joining copy publishes no table
    EXPECT_EQ(game.presence("Ann"), (Presence{Activity::Playing, std::nullopt}));

    game.hosting(7800);
    game.apply(fromGame);
    EXPECT_EQ(game.presence("Ann"), (Presence{Activity::Hosting, std::nullopt})); // no reach yet
    game.apply(ReachLine{true, "203.0.113.9", ""});
    const Presence listed = game.presence("Ann");
    ASSERT_TRUE(listed.table);
    EXPECT_EQ(listed.table->host, "Ann");
    EXPECT_EQ(listed.table->address, "203.0.113.9");
    EXPECT_EQ(listed.table->port, 7800);
    EXPECT_EQ(listed.table->seated, 1);
    EXPECT_FALSE(game.notForwarded());

    game.apply(ReachLine{false, "", kNotForwarded});
    EXPECT_EQ(game.presence("Ann"), (Presence{Activity::Hosting, std::nullopt}));
    EXPECT_TRUE(game.notForwarded());
    game.ended();
    EXPECT_EQ(game.presence("Ann"), Presence{});
    EXPECT_FALSE(game.notForwarded());
}

TEST(GameAddress, TypedAddressesWithAndWithoutPort) {
    EXPECT_EQ(parseGameAddress(" play.example.org "), (GameAddress{"play.example.org", 0}));
    EXPECT_EQ(parseGameAddress("10.0.0.5:7800"), (GameAddress{"10.0.0.5", 7800}));
    EXPECT_EQ(parseGameAddress("[2001:db8::5]:65535"), (GameAddress{"2001:db8::5", 65535}));
    EXPECT_EQ(parseGameAddress("[::1]"), (GameAddress{"::1", 0}));
    EXPECT_EQ(parseGameAddress("fe80::1%eth0"), (GameAddress{"fe80::1%eth0", 0}));
    for (const char* bad : {"", "host:", "host:0", "host:65536", "host:77x", "ho st", "[::1",
                            "[::1]7800", "[host]:7800", ":7800", "a/b", "[::1]:-1"})
        EXPECT_FALSE(parseGameAddress(bad)) << bad;
    EXPECT_FALSE(parseGameAddress(std::string(256, 'a')));
}
