// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/tally.h"
#include "stats/tallytext.h"

#include <gtest/gtest.h>

using core::loadgrid;
using core::savegrid;
using core::TallyTable;

namespace {
std::string lines(std::initializer_list<const char*> ls) {
    std::string out;
    for (auto l : ls)
        out += std::string(l) + "\r\n";
    return out;
}
} // namespace

TEST(TallyText, WritesFreshAndExampleTables) {
    EXPECT_EQ(savegrid(TallyTable()),
              lines({"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));

    core::Tally t;
    t.addOpponent("Ann");
    auto& g = t.table();
    const char* mine[] = {"12", "5", "230", "3", "4"};
    const char* ann[] = {"7", "2", "3", "2"};
    for (int c = 1; c <= 5; ++c)
        g.setCell(c, 0, mine[c - 1]);
    for (int c = 1; c <= 4; ++c)
        g.setCell(c, 1, ann[c - 1]);
    EXPECT_EQ(savegrid(g), lines({"9", "2", "0", "Ann", "12", "7", "5", "2", "230", "3",
                                  "3", "2", "4", "0",   "0",  "0", "0", "0", "0",   "0"}));
}

TEST(TallyText, RoundTripKeepsEveryCellAsText) {
    core::Tally t;
    t.addOpponent("  Ann  ");
    t.addOpponent("Bob+Cid");
    t.table().setCell(6, 2, "42");
    t.table().setCell(8, 0, "");
    TallyTable back;
    ASSERT_EQ(loadgrid(savegrid(t.table()), back), std::nullopt);
    EXPECT_EQ(back.rows(), t.table().rows());
}

TEST(TallyText, ReaderTolerances) {
    TallyTable g;
    // Bare LF endings, text after the counts, no ending on the last line, trailing lines.
    ASSERT_EQ(loadgrid("9 columns\n2\tx\nA\nB\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n"
                       "15\n16\nextra",
                       g),
              std::nullopt);
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.cell(0, 1), "B");
    EXPECT_EQ(g.cell(8, 1), "16");
}

TEST(TallyText, RefusesBrokenTextAndLeavesTheTableAlone) {
    const std::string fresh = lines({"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
    // Every cell present, but more rows than any tally holds: refused before anything is built.
    std::string tooManyRows = lines({"9", "100001"});
    for (int i = 0; i < 9 * 100001; ++i)
        tooManyRows += "0\r\n";
    struct Case {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "The tally table has a bad column count"},
        {lines({"8", "1"}), "The tally table has a bad column count"},
        {lines({"x9", "1"}), "The tally table has a bad column count"},
        {lines({"9", "0"}), "The tally table has a bad row count"},
        {lines({"9", "-1"}), "The tally table has a bad row count"},
        {lines({"9", "99999999999"}), "The tally table has a bad row count"},
        {tooManyRows, "The tally table has a bad row count"},
        {lines({"9", "2", "0", "Ann"}), "The tally table ends before its last cell"},
        {fresh.substr(0, fresh.size() - 3), "The tally table ends before its last cell"},
    };
    for (const auto& c : cases) {
        TallyTable g;
        g.appendOpponent("Keep");
        EXPECT_EQ(loadgrid(c.text, g), std::string(c.error)) << c.text.substr(0, 40);
        EXPECT_EQ(g.rowCount(), 2);
        EXPECT_EQ(g.cell(0, 1), "Keep");
    }
}
