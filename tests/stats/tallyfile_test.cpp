// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/tally.h"
#include "stats/tallyfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;
using core::TallyFile;

namespace {

class TallyFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("tallyfile_test_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void write(const fs::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string hex(const std::string& bytes) {
        static const char* digits = "0123456789ABCDEF";
        std::string out;
        for (unsigned char b : bytes) {
            if (!out.empty()) out += ' ';
            out += digits[b >> 4];
            out += digits[b & 15];
        }
        return out;
    }

    fs::path m_dir;
};

core::Tally annExample() {
    core::Tally t;
    t.addOpponent("Ann");
    const char* mine[] = {"12", "5", "230", "3", "4"};
    const char* ann[] = {"7", "2", "3", "2"};
    for (int c = 1; c <= 5; ++c)
        t.table().setCell(c, 0, mine[c - 1]);
    for (int c = 1; c <= 4; ++c)
        t.table().setCell(c, 1, ann[c - 1]);
    return t;
}

} // namespace

TEST_F(TallyFileTest, SavesTheTwoExamplesByteForByte) {
    TallyFile file(m_dir);
    EXPECT_EQ(file.path(), m_dir / "brambliestally.tld");

    ASSERT_EQ(file.save(core::TallyTable()), std::nullopt);
    EXPECT_EQ(hex(read(file.path())),
              "57 52 5A 4C 21 00 00 00 0E 00 40 01 80 39 0D 0A 31 0D 0A 30 00 3F 01 25");

    ASSERT_EQ(file.save(annExample().table()), std::nullopt);
    EXPECT_EQ(hex(read(file.path())),
              "57 52 5A 4C 41 00 00 00 30 00 40 00 01 39 0D 0A 32 0D 0A 30 0D 0A 41 6E 6E 0D "
              "0A 31 00 C0 09 1B 37 0D 0A 35 01 52 32 33 01 70 33 0D 0A 00 30 01 70 34 02 62 "
              "01 20 80 00 00 3C");
    // The text went straight into the compressed file: no work file anywhere.
    EXPECT_FALSE(fs::exists("temp.txt"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(TallyFileTest, ReloadKeepsTotalsAndStartsANewSession) {
    TallyFile file(m_dir);
    core::Tally before = annExample();
    before.addOpponent("Bob");
    before.table().setCell(7, 1, "3"); // session counts of the run that wrote the file
    before.table().setCell(5, 2, "1");
    ASSERT_EQ(file.save(before.table()), std::nullopt);

    core::Tally after;
    EXPECT_EQ(file.load(after.table()).status, TallyFile::LoadStatus::Loaded);
    EXPECT_EQ(after.table().rows(), before.table().rows()); // read back exactly
    after.loadtally();
    EXPECT_EQ(after.opponentName(1), "Bob");
    EXPECT_EQ(after.table().cell(4, 1), "2");
    EXPECT_EQ(after.table().cell(5, 0), "4"); // the personal row keeps its Brambles
    for (int r = 1; r <= 2; ++r)
        for (int c = 5; c <= 8; ++c)
            EXPECT_EQ(after.table().cell(c, r), "0");
}

TEST_F(TallyFileTest, MissingAndUnreadableFiles) {
    TallyFile file(m_dir);
    core::TallyTable table;
    table.appendOpponent("Untouched");
    EXPECT_EQ(file.load(table).status, TallyFile::LoadStatus::Missing);

    struct Case {
        std::string bytes;
        std::string error;
    } cases[] = {
        {"hello, world",
         file.path().string() + " : Lzrw1 decompression : this file has no valid header !"},
        {std::string("WRZL\x21\0\0\0\x0E\0\x40\x01", 12),
         "Lzrw1 : Error reading from input file : " + file.path().string()},
        // Decompresses, but the text inside is not a table.
        {std::string("WRZL\x03\0\0\0\x04\0\x80"
                     "abc",
                     14),
         "The tally table has a bad column count"},
        // A header claiming four gigabytes is refused before anything is expanded.
        {std::string("WRZL\xff\xff\xff\xff\x01\0\x80", 11),
         "The tally file is too large : " + file.path().string()},
    };
    for (const auto& c : cases) {
        write(file.path(), c.bytes);
        auto result = file.load(table);
        EXPECT_EQ(result.status, TallyFile::LoadStatus::Failed);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(table.rowCount(), 2);
        // The unreadable file is kept aside before a fresh tally replaces it.
        EXPECT_EQ(read(file.path().string() + ".bad"), c.bytes);
    }
}

TEST_F(TallyFileTest, ADamagedFileThatCannotBeKeptAsideIsNeverReplaced) {
    TallyFile file(m_dir);
    const std::string damaged = "hello, world";
    write(file.path(), damaged);
    fs::create_directory(file.path().string() + ".bad"); // the copy cannot be made
    core::TallyTable table;
    EXPECT_EQ(file.load(table).status, TallyFile::LoadStatus::Failed);
    EXPECT_NE(file.save(table), std::nullopt);
    EXPECT_EQ(read(file.path()), damaged);

    // Once the copy can be made, a fresh tally may take the file's place.
    fs::remove(file.path().string() + ".bad");
    EXPECT_EQ(file.load(table).status, TallyFile::LoadStatus::Failed);
    EXPECT_EQ(file.save(table), std::nullopt);
    EXPECT_EQ(read(file.path().string() + ".bad"), damaged);
}

TEST_F(TallyFileTest, AFailedSaveKeepsThePreviousTally) {
    TallyFile file(m_dir);
    ASSERT_EQ(file.save(annExample().table()), std::nullopt);
    const std::string old = read(file.path());

    // Something in the way of the new file: the save fails and the old tally stays whole.
    fs::create_directory(file.path().string() + ".new");
    EXPECT_NE(file.save(core::TallyTable()), std::nullopt);
    EXPECT_EQ(read(file.path()), old);

    TallyFile nowhere(m_dir / "no" / "such" / "dir");
    EXPECT_NE(nowhere.save(core::TallyTable()), std::nullopt);
}
