// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/companionlines.h"
#include "lobby/lobbytable.h"

#include <gtest/gtest.h>

using namespace lobby;

namespace {

LobbyTable sample() {
    LobbyTable t;
    t.host = "Ann";
    t.address = "203.0.113.7";
    t.port = 7772;
    t.seated = 2;
    t.spectators = 1;
    t.freeSeats = 4;
    t.running = true;
    t.round = 3;
    t.bonusLimit = 5;
    t.version = "1.0.2";
    t.sealed = true;
    t.reachable = true;
    return t;
}

Attributes with(Attributes a, const std::string& key, const std::string& value) {
    for (auto& [k, v] : a)
        if (k == key) v = value;
    return a;
}

} // namespace

TEST(LobbyTable, RoundTripIgnoresUnknownAndRefusesLies) {
    const Attributes good = tableAttributes(sample());
    EXPECT_EQ(readTable(good), sample());
    Attributes extra = good;
    extra.emplace_back("colour", "red");
    EXPECT_EQ(readTable(extra), sample());

    const std::pair<const char*, const char*> lies[] = {
        {"seated", "7"},   {"free", "-1"},           {"spectators", "4"}, {"port", "0"},
        {"port", "65536"}, {"round", "8"},           {"round", "0"},      {"game", "yes"},
        {"seated", "5"},   {"address", ""},          {"address", "a b"},  {"address", "[::1]"},
        {"host", "A\nB"},  {"version", "1.0.2\x07"}, {"bonus", "100"},    {"reach", "2"},
    };
    for (const auto& [key, value] : lies)
        EXPECT_EQ(readTable(with(good, key, value)), std::nullopt) << key << '=' << value;

    Attributes missing(good.begin() + 1, good.end());
    EXPECT_EQ(readTable(missing), std::nullopt);
    Attributes twice = good;
    twice.emplace_back("port", "7773");
    EXPECT_EQ(readTable(twice), std::nullopt);
    EXPECT_EQ(readTable(with(good, "host", std::string(65, 'x'))), std::nullopt);

    // A table that is not running has no round.
    LobbyTable idle = sample();
    idle.running = false;
    idle.round = 0;
    EXPECT_EQ(readTable(tableAttributes(idle)), idle);
}

TEST(LobbyTable, LongTextsAreCutWhole) {
    LobbyTable t = sample();
    t.host.clear();
    for (int i = 0; i < 40; ++i)
        t.host += "\xC3\xA9"; // 80 bytes of two-byte characters
    auto read = readTable(tableAttributes(t));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->host.size(), 64u);
    EXPECT_EQ(read->host, t.host.substr(0, 64));
}

TEST(CompanionLines, WrittenAndReadBack) {
    LobbyTable t = sample();
    t.host = "Ann\tthe\nfirst";
    std::string line = tableLine(t);
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    auto read = readCompanionLine(std::string_view(line).substr(0, line.size() - 1));
    ASSERT_TRUE(read);
    EXPECT_EQ(std::get<LobbyTable>(*read).host, "Ann the first");

    ReachLine reach{false, "198.51.100.2", kNotForwarded};
    EXPECT_EQ(reachLine(reach),
              "reach\t0\t198.51.100.2\tYour router did not forward the port: players outside "
              "cannot reach you.\n");
    EXPECT_EQ(readCompanionLine("reach\t0\t198.51.100.2\t" + std::string(kNotForwarded)),
              CompanionLine{reach});

    for (const char* other : {"", "hello", "reach\t1", "reach\tyes\t\t", "table\tport",
                              "reach\t0\t\tno\x1b[2J", "reach\t1\t<script>\t"})
        EXPECT_EQ(readCompanionLine(other), std::nullopt) << other;
}

TEST(CompanionLines, ReaderCutsLinesAndPoisonsOnOverlongInput) {
    std::string stream = reachLine({true, "203.0.113.7", ""}) + "noise\n" + tableLine(sample());
    CompanionReader whole;
    auto all = whole.feed(stream);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(std::get<LobbyTable>(all[1]), sample());

    CompanionReader bytewise;
    std::size_t count = 0;
    for (char c : stream)
        count += bytewise.feed(std::string_view(&c, 1)).size();
    EXPECT_EQ(count, 2u);

    CompanionReader flooded;
    EXPECT_TRUE(flooded.feed(std::string(kMaxCompanionLine, 'x')).empty());
    EXPECT_TRUE(flooded.poisoned());
    EXPECT_TRUE(flooded.feed("\n" + tableLine(sample())).empty());
}
