// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/cryptolibrary.h"
#include "host/sealedrig.h"
#include "host/seattoken.h"
#include "net/hexfield.h"

#include <gtest/gtest.h>

using namespace sealtest;

namespace {

std::string commandOf(const std::string& m) {
    return std::string(core::splitEntry(m).command);
}

std::ptrdiff_t indexOf(const std::vector<std::string>& seen, const std::string& command,
                       std::size_t from = 0) {
    for (std::size_t i = from; i < seen.size(); ++i)
        if (commandOf(seen[i]) == command) return static_cast<std::ptrdiff_t>(i);
    return -1;
}

std::string hexPart(std::uint8_t fill) {
    core::msg::SealBytes16 p;
    p.fill(fill);
    return core::toHex(p);
}

} // namespace

TEST(SealedTurns, SealMixRevealAroundAWholeGame) {
    SealedRig rig;
    rig.join("Ann");
    rig.join("Bob");
    const int old = rig.join("Old", false); // a copy without the seal
    // Its junk and a part for another game never reach the seed.
    const std::vector<std::string> junk{"CMD_sealpart+1+zz", "CMD_sealpart+1+" + hexPart(9) + "00",
                                        "CMD_sealpart+2+" + hexPart(9),
                                        "CMD_sealpart+1+" + hexPart(9) + "+5"};
    for (const auto& bad : junk)
        rig.host.dispatch(old, bad);

    int lateSlot = 0;
    rig.playComputerGame([&] {
        if (lateSlot == 0 && rig.state.turn.round == 3) lateSlot = rig.join("Late");
    });

    const auto& seen = rig.tables[old].seen;
    const auto commit = indexOf(seen, "CMD_sealcommit");
    ASSERT_GE(commit, 0);
    EXPECT_EQ(commandOf(seen[static_cast<std::size_t>(commit - 1)]), "CMD_nextplayer");
    // The seed is fixed by the game's first roll (a straight here), and the mix follows it.
    auto firstRoll = indexOf(seen, "CMD_createdice");
    if (auto bramble = indexOf(seen, "CMD_bramble"); bramble >= 0 && bramble < firstRoll)
        firstRoll = bramble;
    EXPECT_GT(firstRoll, commit);
    EXPECT_EQ(indexOf(seen, "CMD_sealmix"), firstRoll + 1);
    EXPECT_EQ(commandOf(seen.back()), "CMD_sealreveal");
    EXPECT_EQ(commandOf(seen[seen.size() - 2]), "CMD_winner");

    // The parts of the two tables that answered, as they sent them, in slot order.
    const auto mix = core::msg::toClient::Sealmix::read(
        core::splitEntry(seen[static_cast<std::size_t>(indexOf(seen, "CMD_sealmix"))]).payload);
    ASSERT_TRUE(mix);
    ASSERT_EQ(mix->parts.size(), 2u);
    EXPECT_EQ(mix->parts[0].slot, 1);
    EXPECT_EQ(mix->parts[1].slot, 2);
    EXPECT_EQ(mix->parts[1].bytes, rig.turns.dice().parts()[1].bytes);

    const std::string verdict = "Dice check: all " + std::to_string(rollsIn(seen)) +
                                " rolls of this game came from the sealed seed.";
    for (int slot : {1, 2}) {
        ASSERT_EQ(rig.tables[slot].lines.size(), 1u) << slot;
        EXPECT_EQ(rig.tables[slot].lines[0], (core::DiceCheck::Line{verdict, false}));
    }

    // The late table was told where the stream stood, sent no part, and checked what it saw.
    ASSERT_NE(lateSlot, 0);
    const auto& late = rig.tables[lateSlot];
    const auto lateCommit = core::msg::toClient::Sealcommit::read(
        core::splitEntry(late.seen[static_cast<std::size_t>(indexOf(late.seen, "CMD_sealcommit"))])
            .payload);
    ASSERT_TRUE(lateCommit);
    EXPECT_GT(lateCommit->position, 0u);
    EXPECT_EQ(indexOf(late.seen, "CMD_sealmix"), indexOf(late.seen, "CMD_sealcommit") + 1);
    const int lateRolls = rollsIn(late.seen);
    EXPECT_LT(lateRolls, rollsIn(seen));
    ASSERT_EQ(late.lines.size(), 1u);
    EXPECT_EQ(late.lines[0].text, "Dice check: all " + std::to_string(lateRolls) +
                                      " rolls of this game came from the sealed seed.");
}

TEST(SealedTurns, ARestartRevealsTheAbandonedGameFirst) {
    SealedRig rig;
    rig.join("Ann");
    rig.host.dispatch(1, "CMD_startgame+Ann+0+");
    rig.pump();
    rig.host.dispatch(1, "CMD_rollthedice+1+0");
    rig.host.dispatch(1, "CMD_startgame+Ann+0+");
    rig.pump();
    const auto& seen = rig.tables[1].seen;
    const auto reveal = indexOf(seen, "CMD_sealreveal");
    ASSERT_GE(reveal, 0);
    EXPECT_EQ(seen[static_cast<std::size_t>(reveal)].rfind("CMD_sealreveal+1+", 0), 0u);
    EXPECT_EQ(commandOf(seen[static_cast<std::size_t>(reveal + 1)]), "CMD_startgame");
    EXPECT_EQ(seen.back().rfind("CMD_sealcommit+2+", 0), 0u);
    ASSERT_EQ(rig.tables[1].lines.size(), 1u);
    EXPECT_EQ(rig.tables[1].lines[0].text,
              "Dice check: all 1 rolls of this game came from the sealed seed.");
}

TEST(SealedTurns, AShutdownDuringAGameRevealsItAfterTheShutdownLine) {
    SealedRig rig;
    rig.join("Ann");
    rig.host.dispatch(1, "CMD_startgame+Ann+0+");
    rig.pump();
    rig.host.dispatch(1, "CMD_rollthedice+1+0");
    rig.pump();
    rig.host.shutDown();
    rig.pump();
    const auto& seen = rig.tables[1].seen;
    const auto reveal = indexOf(seen, "CMD_sealreveal");
    ASSERT_GE(reveal, 1);
    EXPECT_NE(seen[static_cast<std::size_t>(reveal - 1)].find("The game ends here."),
              std::string::npos);
    ASSERT_EQ(rig.tables[1].lines.size(), 1u);
    EXPECT_EQ(rig.tables[1].lines[0].text,
              "Dice check: all 1 rolls of this game came from the sealed seed.");
}

TEST(SealedTurns, ArrivalOrderOfThePartsDoesNotChangeTheDice) {
    auto game = [](bool reversed) {
        SealedRig rig;
        for (const char* name : {"Ann", "Bob", "Cy"})
            rig.join(name, false);
        rig.host.dispatch(1, "CMD_startgame+Ann+0+");
        for (int slot : reversed ? std::vector<int>{3, 2} : std::vector<int>{2, 3})
            rig.host.dispatch(slot, "CMD_sealpart+1+" + hexPart(static_cast<std::uint8_t>(slot)));
        rig.playToEnd();
        return rig.tables[1].seen;
    };
    EXPECT_EQ(game(false), game(true));
}

TEST(SealedTurns, WithoutTheHashLibraryGamesArePlainAndNothingIsClaimed) {
    // A sealed game's transcript, as a table saw it while the library was there.
    SealedRig sealed;
    sealed.join("Ann");
    sealed.playComputerGame();
    ASSERT_GE(indexOf(sealed.tables[1].seen, "CMD_sealreveal"), 0);

    const core::seal::CryptoLibrary missing("libbramblies-no-such-crypto.so.3");
    const core::seal::CryptoLibrary::Override without(missing);
    EXPECT_FALSE(core::seal::hashingAvailable());
    std::array<std::uint8_t, 4> bytes{};
    EXPECT_FALSE(core::seal::systemRandom(bytes));
    EXPECT_FALSE(core::newSeatToken());       // refused, never guessable
    core::SealedDice dice(countingFill(252)); // 252..255 are skipped as ever
    std::vector<int> faces;
    for (int i = 0; i < 6; ++i)
        faces.push_back(dice.face());
    EXPECT_EQ(faces, (std::vector<int>{1, 2, 3, 4, 5, 6}));

    // The host plays a plain game: no seal is shown, the faces still come from the entropy.
    SealedRig plain;
    plain.join("Ann");
    plain.join("Bob");
    plain.playComputerGame();
    const auto& seen = plain.tables[2].seen;
    EXPECT_GE(indexOf(seen, "CMD_winner"), 0);
    for (const char* word : {"CMD_sealcommit", "CMD_sealmix", "CMD_sealreveal"})
        EXPECT_EQ(indexOf(seen, word), -1) << word;
    EXPECT_GT(rollsIn(seen), 0);
    EXPECT_TRUE(plain.tables[2].lines.empty());

    // A table that cannot hash says so instead of judging the host's sealed game.
    core::DiceCheck check(countingFill(1));
    std::vector<core::DiceCheck::Line> lines;
    for (const auto& m : sealed.tables[1].seen)
        SealedRig::feed(check, 1, m, &lines, [](const std::string&) {});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (core::DiceCheck::Line{"Dice check: this computer lacks the library that "
                                               "checks the seal (libcrypto), so the dice of this "
                                               "game cannot be checked.",
                                               true}));
}
