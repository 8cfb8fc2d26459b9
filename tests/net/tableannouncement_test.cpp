// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/mappingreport.h"
#include "net/tableannouncement.h"

#include <gtest/gtest.h>

using namespace core;

TEST(TableAnnouncement, RoundTripAndForeignRecords) {
    TableAnnouncement t{"Ann", 2, 1, 4, true, "1.0.2"};
    auto txt = toTxt(t);
    EXPECT_EQ(txt, (std::vector<std::string>{"txtvers=1", "host=Ann", "seated=2", "spectators=1",
                                             "free=4", "game=1", "version=1.0.2"}));
    EXPECT_EQ(parseTxt(txt), t);

    // Names may hold "=" and spaces; unknown keys and bare words are skipped; missing keys
    // keep their defaults.
    auto other = parseTxt({"host=A=B c", "colour=red", "junk", "seated=3"});
    ASSERT_TRUE(other);
    EXPECT_EQ(other->host, "A=B c");
    EXPECT_EQ(other->seated, 3);
    EXPECT_EQ(other->freeSeats, 0);
    EXPECT_FALSE(other->running);

    for (const char* bad : {"seated=-1", "free=10", "spectators=x", "seated="})
        EXPECT_EQ(parseTxt({bad}), std::nullopt) << bad;
}

TEST(TableAnnouncement, LongNameCutAtCharacterBoundary) {
    std::string name;
    for (int i = 0; i < 200; ++i)
        name += "\xC3\xA9"; // 400 bytes of two-byte characters
    auto txt = toTxt({name, 1, 0, 5, false, "1.0.2"});
    const std::string& host = txt[1];
    EXPECT_LE(host.size(), 255u);
    EXPECT_EQ(host.size(), 5u + 250u); // "host=" and 125 whole characters
    EXPECT_EQ(parseTxt(txt)->host, host.substr(5));
}

TEST(MappingReport, Sentences) {
    using K = MappingOutcome::Kind;
    const std::string behind = "Players outside your network cannot reach this table: your router "
                               "is behind another network (carrier-grade NAT).";
    const std::string unknown = "Nobody could tell whether players outside your network can "
                                "reach this table on port 7000: ";
    struct Case {
        MappingOutcome outcome;
        std::string text;
    } cases[] = {
        {{K::Mapped, "203.0.113.7", 7772, ""},
         "Players outside your network can reach this table at 203.0.113.7:7772."},
        {{K::Mapped, "100.64.0.1", 7772, ""}, behind},
        {{K::Mapped, "100.127.255.255", 7772, ""}, behind},
        {{K::Mapped, "100.128.0.1", 7000, ""},
         "Players outside your network can reach this table at 100.128.0.1:7000."},
        {{K::Mapped, "192.168.1.1", 7772, ""}, behind},
        {{K::Mapped, "172.31.0.1", 7772, ""}, behind},
        {{K::Mapped, "172.32.0.1", 7772, ""},
         "Players outside your network can reach this table at 172.32.0.1:7772."},
        {{K::Mapped, "10.1.2.3", 7772, ""}, behind},
        {{K::Mapped, "", 7772, ""},
         "Players outside your network can reach this table on port 7772 of your router, which "
         "did not say its address."},
        {{K::Garbled, "", 0, ""}, unknown + "the router's answer made no sense."},
        {{K::NoAnswer, "", 0, ""}, unknown + "no router answered."},
        {{K::Refused, "", 0, "ConflictInMappingEntry (718)"},
         unknown + "the router refused to forward it (ConflictInMappingEntry (718))."},
        {{K::Missing, "", 0, ""},
         unknown + "port mapping is not installed (it needs libminiupnpc17 and libnatpmp1)."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mappingReport(c.outcome, 7000), c.text) << c.text;
    for (const char* unusable : {"255.255.255.255", "224.0.0.251", "239.1.2.3", "240.0.0.1",
                                 "0.0.0.0", "127.0.0.1", "169.254.3.4", "router"}) {
        EXPECT_EQ(mappingReport({K::Mapped, unusable, 7772, ""}, 7772),
                  "Players outside your network cannot reach this table: your router reported "
                  "an address nobody can use.")
            << unusable;
        EXPECT_TRUE(isUnreachableAddress(unusable)) << unusable;
    }
    EXPECT_FALSE(isUnreachableAddress("223.255.255.254"));
    for (const char* bad : {"1.2.3", "1.2.3.4.5", "256.1.1.1", "a.b.c.d", "1..2.3", "-1.2.3.4"})
        EXPECT_TRUE(isUnreachableAddress(bad)) << bad;
}

TEST(MappingReport, RenewalHalfWayThroughAtMostADay) {
    EXPECT_EQ(renewalDelayMs(3600), 1'800'000);
    EXPECT_EQ(renewalDelayMs(1), 500);
    EXPECT_EQ(renewalDelayMs(0), 0); // never lapses
    // Granted lifetimes whose milliseconds overflow 32 bits: renewed after half a day.
    for (std::int64_t huge : {8'589'935LL, 4'294'967'295LL})
        EXPECT_EQ(renewalDelayMs(huge), 43'200'000) << huge;
}
