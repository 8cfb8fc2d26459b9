// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/fakeclientport.h"
#include "client/tableclient.h"
#include "host/sealedrig.h"

#include <gtest/gtest.h>

using namespace sealtest;
using Line = core::DiceCheck::Line;

namespace {

// Slot 2's view of an honest sealed game among three tables that know the seal.
struct HonestGame {
    SealedRig rig;
    std::vector<std::string> seen;
    HonestGame() {
        for (const char* name : {"Ann", "Bob", "Cy"})
            rig.join(name);
        rig.playComputerGame();
        seen = rig.tables[2].seen;
    }
};

// What slot 2 says when it is shown `transcript` (its part drawn as in the honest game).
std::vector<Line> checkAsSlot2(const std::vector<std::string>& transcript) {
    core::DiceCheck check(countingFill(2));
    std::vector<Line> lines;
    for (const auto& m : transcript)
        SealedRig::feed(check, 2, m, &lines, [](const std::string&) {});
    return lines;
}

std::size_t find(const std::vector<std::string>& seen, const std::string& prefix, int nth = 1) {
    for (std::size_t i = 0; i < seen.size(); ++i)
        if (seen[i].rfind(prefix, 0) == 0 && --nth == 0) return i;
    return seen.size();
}

std::vector<std::string> fields(const std::string& m) {
    std::vector<std::string> out;
    core::FieldReader r(core::splitEntry(m).payload);
    while (!r.atEnd())
        out.emplace_back(r.next());
    return out;
}

std::string join(const std::string& command, const std::vector<std::string>& f) {
    std::string out = command;
    for (const auto& x : f)
        out += "+" + x;
    return out;
}

} // namespace

TEST(DiceCheck, HonestGamePassesAndEachTamperingIsCaught) {
    const HonestGame game;
    const auto honest = checkAsSlot2(game.seen);
    ASSERT_EQ(honest.size(), 1u);
    EXPECT_EQ(honest[0].text, "Dice check: all " + std::to_string(rollsIn(game.seen)) +
                                  " rolls of this game came from the sealed seed.");

    const std::size_t mixAt = find(game.seen, "CMD_sealmix");
    const std::size_t revealAt = find(game.seen, "CMD_sealreveal");
    ASSERT_LT(revealAt, game.seen.size());

    // One face altered: the third re-roll of a die (a createdice of a second roll).
    auto altered = game.seen;
    const std::size_t rerollAt = find(altered, "CMD_createdice+", 2);
    auto f = fields(altered[rerollAt]);
    std::string expectedRoll;
    {
        // Which roll of the game this is, counting only rolls that showed faces.
        const std::vector<std::string> before(
            altered.begin(), altered.begin() + static_cast<std::ptrdiff_t>(rerollAt) + 1);
        const int shown = std::stoi(f[3]);
        const int fake = shown % 6 + 1;
        expectedRoll = "Dice check: roll " + std::to_string(rollsIn(before)) +
                       " of this game does not come from the sealed seed: seat " + f[0] +
                       "'s die " + f[2] + " showed " + std::to_string(fake) + ", the seed gives " +
                       f[3] + ".";
        f[3] = std::to_string(fake);
        altered[rerollAt] = join("CMD_createdice", f);
    }

    // A different secret revealed.
    auto otherSecret = game.seen;
    otherSecret[revealAt] = "CMD_sealreveal+1+" + std::string(64, '7');

    // Slot 3's part mixed into the seed but left out of the list.
    auto dropped = game.seen;
    auto mixFields = fields(dropped[mixAt]);
    ASSERT_EQ(mixFields.size(), 7u); // game, then three slots with their parts
    dropped[mixAt] = join("CMD_sealmix", {mixFields.begin(), mixFields.begin() + 5});

    // Our own part listed with other bytes.
    auto changed = game.seen;
    mixFields[4] = std::string(32, 'a');
    changed[mixAt] = join("CMD_sealmix", mixFields);

    // Our own part left out altogether.
    auto ownDropped = game.seen;
    auto own = fields(ownDropped[mixAt]);
    own.erase(own.begin() + 3, own.begin() + 5);
    ownDropped[mixAt] = join("CMD_sealmix", own);

    const std::string firstRollWrong = "Dice check: roll 1 of this game does not come from";
    struct Case {
        const char* what;
        std::vector<std::string> transcript;
        std::vector<std::string> expected; // exact texts, or a prefix ending in "from"
    } cases[] = {
        {"altered face", altered, {expectedRoll}},
        {"other secret",
         otherSecret,
         {"Dice check: the secret the host revealed does not match the seal it showed before "
          "the game, so these dice cannot be trusted."}},
        {"dropped part", dropped, {firstRollWrong}},
        {"changed own part",
         changed,
         {"Dice check: the host changed this table's part of the seed, so these dice cannot be "
          "trusted."}},
        {"own part left out",
         ownDropped,
         {"Dice check: this table's part of the seed reached the host after the first roll and "
          "was not mixed in.",
          firstRollWrong}},
    };
    for (const auto& c : cases) {
        const auto lines = checkAsSlot2(c.transcript);
        ASSERT_EQ(lines.size(), c.expected.size()) << c.what;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].text.substr(0, c.expected[i].size()), c.expected[i]) << c.what;
            EXPECT_EQ(lines[i].failed, i + 1 == lines.size()) << c.what;
        }
    }
}

TEST(DiceCheck, NothingWithoutASealAndNothingFromGarbage) {
    const HonestGame game;
    // A host without the seal: the same game minus the seal messages.
    std::vector<std::string> plain;
    for (const auto& m : game.seen)
        if (m.rfind("CMD_seal", 0) != 0) plain.push_back(m);
    EXPECT_TRUE(checkAsSlot2(plain).empty());

    core::DiceCheck check(countingFill(2));
    for (const char* bad : {"1+zz+0", "1++0", "-1+" /* short */, "x+y+z"})
        EXPECT_FALSE(check.sealcommit(std::get<core::fromHost::Sealcommit>(
            *core::decodeHostEntry(std::string("CMD_sealcommit+") + bad))))
            << bad;
    EXPECT_FALSE(check.sealreveal(std::get<core::fromHost::Sealreveal>(*core::decodeHostEntry(
                                      "CMD_sealreveal+1+" + std::string(64, '0'))),
                                  2)); // no seal seen
}

TEST(DiceCheck, TableClientAnswersTheSealAndWritesTheVerdict) {
    const HonestGame game;
    auto run = [&](std::vector<std::string> transcript) {
        test::FakeClientPort port;
        core::TableClient client(port, 1, countingFill(2));
        for (const auto& m : transcript)
            client.handleMessage(m);
        std::vector<std::string> out;
        for (const auto& e : port.events)
            if (e.rfind("send:CMD_seal", 0) == 0 ||
                (e.rfind("chat:", 0) == 0 && e.find("Dice check") != std::string::npos))
                out.push_back(e);
        return out;
    };
    auto honest = run(game.seen);
    ASSERT_EQ(honest.size(), 2u);
    EXPECT_EQ(honest[0], "send:CMD_sealpart+1+02020202020202020202020202020202");
    EXPECT_EQ(honest[1], "chat:0+Dice check: all " + std::to_string(rollsIn(game.seen)) +
                             " rolls of this game came from the sealed seed.");

    auto forged = game.seen;
    forged[find(forged, "CMD_sealreveal")] = "CMD_sealreveal+1+" + std::string(64, '7');
    const auto red = run(forged);
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(red[1].rfind("chat:10+Dice check: the secret", 0), 0u);
    EXPECT_NE(red[1].find("(not system colour)"), std::string::npos);
}
