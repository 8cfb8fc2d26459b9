// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/tally.h"
#include "stats/tallytext.h"

#include <gtest/gtest.h>

#include <cctype>

using core::Tally;
using core::TallySeats;

namespace {

// Seats 1..6: the local player in seat 1 unless said otherwise, empty seats "<Waiting>".
TallySeats seats(std::vector<std::string> labels, int myslot = 1) {
    labels.resize(6, "<Waiting>");
    return {labels, myslot};
}

std::vector<std::string> row(const Tally& t, int r) {
    std::vector<std::string> out;
    for (int c = 0; c < 9; ++c)
        out.push_back(t.table().cell(c, r));
    return out;
}

std::vector<std::string> personal(const Tally& t) {
    return row(t, 0);
}

// A tally following the given opponents.
Tally following(std::initializer_list<const char*> names) {
    Tally t;
    for (auto n : names)
        EXPECT_TRUE(t.addOpponent(n));
    return t;
}

} // namespace

TEST(Tally, FreshTallyIsOneRowOfZeros) {
    Tally t;
    EXPECT_EQ(t.table().rowCount(), 1);
    EXPECT_EQ(personal(t), std::vector<std::string>(9, "0"));
    EXPECT_EQ(t.opponentCount(), 0);
}

TEST(Tally, ChecklistSkipsOwnSeatAndEmptySeatsAndChecksTalliedCaseInsensitively) {
    Tally t = following({"Bob"});
    t.loadchecklist(seats({"Me", "BOB", "<Waiting>", "Cid"}, 1));
    ASSERT_EQ(t.checklist().size(), 2u);
    EXPECT_EQ(t.checklist()[0].name, "BOB");
    EXPECT_TRUE(t.checklist()[0].checked);
    EXPECT_EQ(t.checklist()[1].name, "Cid");
    EXPECT_FALSE(t.checklist()[1].checked);

    // Sitting in seat 3 this time: seat 1's player is listed instead.
    t.loadchecklist(seats({"Ann", "Bob", "Me"}, 3));
    ASSERT_EQ(t.checklist().size(), 2u);
    EXPECT_EQ(t.checklist()[0].name, "Ann");
}

// Each case: opponents tallied, seat labels (local player in seat 1), addgame's text, and the
// expected personal row and opponent rows afterwards.
struct GameCase {
    const char* what;
    std::vector<const char*> tallied;
    std::vector<std::string> labels;
    std::string text;
    std::vector<std::string> personal;
    std::vector<std::vector<std::string>> rows;
};

void PrintTo(const GameCase& c, std::ostream* os) {
    *os << c.what;
}

class AddGame : public ::testing::TestWithParam<GameCase> {};

TEST_P(AddGame, RecordsOneGame) {
    const GameCase& c = GetParam();
    Tally t;
    for (auto n : c.tallied)
        t.addOpponent(n);
    EXPECT_FALSE(t.addgame(c.text, seats(c.labels)));
    EXPECT_EQ(personal(t), c.personal) << c.what;
    for (std::size_t i = 0; i < c.rows.size(); ++i)
        EXPECT_EQ(row(t, static_cast<int>(i) + 1), c.rows[i]) << c.what << " row " << i + 1;
}

using V = std::vector<std::string>;
INSTANTIATE_TEST_SUITE_P(
    Cases, AddGame,
    ::testing::Values(
        GameCase{"he wins alone",
                 {"Bob"},
                 {"Me", "Bob"},
                 "Bob",
                 V{"0", "1", "0", "0", "0", "0", "0", "0", "0"},
                 {V{"Bob", "1", "1", "0", "0", "1", "1", "0", "0"}}},
        GameCase{"we win",
                 {"Bob"},
                 {"Me", "Bob"},
                 "addtomine",
                 V{"0", "1", "1", "0", "0", "0", "0", "0", "0"},
                 {V{"Bob", "1", "0", "1", "0", "1", "0", "1", "0"}}},
        GameCase{"a third player wins",
                 {"Bob"},
                 {"Me", "Bob", "Cid"},
                 "Cid",
                 V{"0", "1", "0", "0", "0", "0", "0", "0", "0"},
                 {V{"Bob", "1", "0", "0", "1", "1", "0", "0", "1"}}},
        // Found by name whatever the case, but the win compares exactly: it is nobody's.
        GameCase{"Bob sits as BOB and wins",
                 {"Bob"},
                 {"Me", "BOB"},
                 "BOB",
                 V{"0", "1", "0", "0", "0", "0", "0", "0", "0"},
                 {V{"Bob", "1", "0", "0", "1", "1", "0", "0", "1"}}},
        // A player literally named addtomine counts as our win, except in his own row.
        GameCase{"winner named addtomine",
                 {"addtomine", "Bob"},
                 {"Me", "addtomine", "Bob"},
                 "addtomine",
                 V{"0", "1", "1", "0", "0", "0", "0", "0", "0"},
                 {V{"addtomine", "1", "1", "0", "0", "1", "1", "0", "0"},
                  V{"Bob", "1", "0", "1", "0", "1", "0", "1", "0"}}},
        GameCase{"tallied but not seated is untouched",
                 {"Bob", "Cid"},
                 {"Me", "Cid"},
                 "Me",
                 V{"0", "1", "0", "0", "0", "0", "0", "0", "0"},
                 {V{"Bob", "0", "0", "0", "0", "0", "0", "0", "0"},
                  V{"Cid", "1", "0", "0", "1", "1", "0", "0", "1"}}}),
    [](const ::testing::TestParamInfo<GameCase>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(Tally, WinnerAnnouncement) {
    // Shared win between two others: nothing at all, not even the game count.
    Tally t = following({"Bob"});
    std::optional<std::string> err;
    EXPECT_FALSE(t.recordWinner(false, "Bob and Cid", "", seats({"Me", "Bob", "Cid"}), err));
    EXPECT_EQ(personal(t), V(9, "0"));
    EXPECT_EQ(row(t, 1), (V{"Bob", "0", "0", "0", "0", "0", "0", "0", "0"}));

    // Shared with the local player: our win, and column 3/7 for the partner.
    EXPECT_TRUE(t.recordWinner(true, "Bob and You", "95", seats({"Me", "Bob"}), err));
    EXPECT_FALSE(err);
    EXPECT_EQ(personal(t), (V{"0", "1", "1", "95", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(row(t, 1), (V{"Bob", "1", "0", "1", "0", "1", "0", "1", "0"}));

    // A lower total does not replace the highest score; a non-number is skipped silently.
    t.recordWinner(false, "Bob", "80", seats({"Me", "Bob"}), err);
    t.recordWinner(false, "Bob", "lots", seats({"Me", "Bob"}), err);
    EXPECT_FALSE(err);
    EXPECT_EQ(t.table().cell(3, 0), "95");
    EXPECT_EQ(t.table().cell(1, 0), "3");

    // A spectator records nothing, whatever happens.
    const auto before = t.table().rows();
    EXPECT_FALSE(t.recordWinner(true, "You", "500", seats({"Me", "Bob"}, 8), err));
    EXPECT_FALSE(t.recordWinner(false, "Bob", "500", seats({"Me", "Bob"}, 7), err));
    EXPECT_EQ(t.table().rows(), before);
}

TEST(Tally, BadCounterStopsTheRecordingAndKeepsEarlierCounts) {
    Tally t = following({"Bob", "Cid"});
    t.table().setCell(5, 1, "x1");
    t.table().setCell(2, 2, ""); // empty cells of a seated opponent become "0" first
    std::optional<std::string> err;
    t.recordWinner(false, "Cid", "300", seats({"Me", "Bob", "Cid"}), err);
    ASSERT_TRUE(err);
    EXPECT_EQ(*err, "'x1' is not a valid integer value");
    EXPECT_EQ(t.table().cell(1, 0), "1"); // game counted before the fault
    EXPECT_EQ(t.table().cell(1, 1), "1");
    EXPECT_EQ(row(t, 2), (V{"Cid", "0", "", "0", "0", "0", "0", "0", "0"})); // skipped
    EXPECT_EQ(t.table().cell(3, 0), "0"); // highest score not reached either

    EXPECT_EQ(t.addtomineincrease(4), std::nullopt);
    t.table().setCell(5, 0, "");
    EXPECT_EQ(t.addtomineincrease(5), "'' is not a valid integer value");
    EXPECT_EQ(t.table().cell(4, 0), "1");
}

TEST(Tally, AddingAndRemovingOpponentsKeepsListAndRowsInStep) {
    Tally t = following({"Ann", "Bob", "Cid"});
    EXPECT_FALSE(t.addOpponent("bob")); // already tallied, whatever the case
    t.table().setCell(1, 2, "7");
    t.table().setCell(1, 3, "9");

    t.removeOpponent(2); // the last
    ASSERT_EQ(t.opponentCount(), 2);
    EXPECT_EQ(t.table().rowCount(), 3);
    t.removeOpponent(0); // the first: the others move up
    ASSERT_EQ(t.opponentCount(), 1);
    EXPECT_EQ(t.opponentName(0), "Bob");
    EXPECT_EQ(t.table().cell(1, 1), "7");
    t.removeOpponent(0);
    t.removeOpponent(0); // nothing left to remove: the personal row stays
    EXPECT_EQ(t.table().rowCount(), 1);

    EXPECT_TRUE(t.addOpponent("Dee\r\nFrank"));
    EXPECT_EQ(t.opponentName(0), "Dee  Frank");
}

TEST(Tally, ResetAndSessionColumns) {
    Tally t = following({"Bob"});
    t.addgame("Bob", seats({"Me", "Bob"}));
    t.addtomineincrease(5);
    t.loadtally();
    EXPECT_EQ(row(t, 1), (V{"Bob", "1", "1", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(t.table().cell(5, 0), "1"); // the personal row keeps every column

    t.reset();
    EXPECT_EQ(t.table().rows().size(), 1u);
    EXPECT_EQ(personal(t), V(9, "0"));
}
