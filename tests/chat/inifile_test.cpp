// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/inifile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

using core::IniFile;
using namespace std::string_literals;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir =
            std::filesystem::temp_directory_path() / ("bramblies_ini_" + std::string(info->name()) +
                                                      "_" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(m_dir);
        m_path = m_dir / "quarlobby.ini";
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    void writeFile(const std::string& data) { std::ofstream(m_path, std::ios::binary) << data; }
    std::string readFile() {
        std::ifstream in(m_path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path m_dir;
    std::filesystem::path m_path;
};

TEST_F(IniFileTest, LooksUpKeysIgnoringCaseAndTrimsValues) {
    IniFile ini;
    ini.setText("[Other]\nTextsize=99\n[BRAMBLIES]\n  textSIZE  =  12 \t\nTop=\nbad line\n");
    EXPECT_EQ(ini.value("bramblies", "Textsize"), "12");
    EXPECT_EQ(ini.value("bramblies", "TOP"), "");
    EXPECT_EQ(ini.value("bramblies", "Left"), std::nullopt);
    EXPECT_EQ(ini.value("other", "textsize"), "99");
    EXPECT_EQ(ini.value("missing", "textsize"), std::nullopt);
    EXPECT_EQ(ini.readString("bramblies", "Left", "3"), "3");
}

TEST_F(IniFileTest, WritingKeepsEveryOtherLineByteForByte) {
    const std::string original = "; shared by several programs\r\n"
                                 "[lobby]\r\n"
                                 "Name = Someone \r\n"
                                 "junk without equals\r\n"
                                 "\r\n"
                                 "[bramblies]\r\n"
                                 "# our own comment\r\n"
                                 "textsize=10\r\n"
                                 "[tail]\r\n"
                                 "x=1"; // no final line break
    IniFile ini;
    ini.setText(original);
    ini.writeString("bramblies", "Textsize", "14");
    ini.writeString("bramblies", "Top", "7");
    ini.writeString("new", "Key", "v\nsecond line");
    EXPECT_EQ(ini.text(), "; shared by several programs\r\n"
                          "[lobby]\r\n"
                          "Name = Someone \r\n"
                          "junk without equals\r\n"
                          "\r\n"
                          "[bramblies]\r\n"
                          "# our own comment\r\n"
                          "textsize=14\r\n"
                          "Top=7\r\n"
                          "[tail]\r\n"
                          "x=1\r\n"
                          "[new]\r\n"
                          "Key=v second line\r\n");
}

TEST_F(IniFileTest, DuplicateSectionsAndKeysUseTheFirstOccurrence) {
    IniFile ini;
    ini.setText("[bramblies]\nTop=1\nTop=2\n[x]\nLeft=9\n[Bramblies]\nTop=3\nLeft=4\n");
    EXPECT_EQ(ini.value("bramblies", "Top"), "1");
    EXPECT_EQ(ini.value("bramblies", "Left"), "4"); // found in the second occurrence
    ini.writeString("bramblies", "Top", "5");
    ini.writeString("bramblies", "Width", "6");
    EXPECT_EQ(ini.text(),
              "[bramblies]\nTop=5\nTop=2\nWidth=6\n[x]\nLeft=9\n[Bramblies]\nTop=3\nLeft=4\n");
}

TEST_F(IniFileTest, SaveReplacesTheFileWholeAndLeavesNoWorkFile) {
    writeFile("[a]\nb=c\n");
    IniFile ini;
    ASSERT_EQ(ini.load(m_path), IniFile::LoadResult::Read);
    ini.writeString("bramblies", "Rolls", "5");
    ASSERT_TRUE(ini.save(m_path));
    EXPECT_EQ(readFile(), "[a]\nb=c\n[bramblies]\nRolls=5\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(m_dir))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(IniFileTest, MissingFileIsCreatedWithItsFolder) {
    const auto nested = m_dir / "config" / "quarlobby.ini";
    IniFile ini;
    EXPECT_EQ(ini.load(nested), IniFile::LoadResult::Missing);
    ini.writeString("bramblies", "Top", "3");
    ASSERT_TRUE(ini.save(nested));
    IniFile again;
    ASSERT_EQ(again.load(nested), IniFile::LoadResult::Read);
    EXPECT_EQ(again.value("bramblies", "top"), "3");
}

TEST_F(IniFileTest, UnreadableFileIsNeverReplaced) {
    // A directory where the file should be cannot be read; saving must not clobber it.
    std::filesystem::create_directories(m_path);
    IniFile ini;
    EXPECT_EQ(ini.load(m_path), IniFile::LoadResult::Unreadable);
    ini.writeString("bramblies", "Top", "3");
    EXPECT_FALSE(ini.save(m_path));
    EXPECT_TRUE(std::filesystem::is_directory(m_path));
}

TEST_F(IniFileTest, FileWithTooManyLinesIsRefusedAndKept) {
    // Every line costs a parsed entry; millions of bare line ends would exhaust memory.
    const std::string data = "[bramblies]\nTop=5\n" + std::string(IniFile::kMaxLines, '\n');
    writeFile(data);
    IniFile ini;
    EXPECT_EQ(ini.load(m_path), IniFile::LoadResult::Unreadable);
    EXPECT_EQ(ini.value("bramblies", "Top"), std::nullopt);
    ini.writeString("bramblies", "Top", "3");
    EXPECT_FALSE(ini.save(m_path));
    EXPECT_EQ(readFile(), data);

    writeFile("[bramblies]\nTop=5\n" + std::string(IniFile::kMaxLines - 3, '\n'));
    EXPECT_EQ(ini.load(m_path), IniFile::LoadResult::Read);
    EXPECT_EQ(ini.value("bramblies", "Top"), "5");
}

TEST_F(IniFileTest, WritingThroughALinkChangesTheFileItLeadsTo) {
    // A settings file shared with other programs through links, absolute and relative.
    namespace fs = std::filesystem;
    fs::create_directories(m_dir / "shared");
    const fs::path shared = m_dir / "shared" / "common.ini";
    std::ofstream(shared, std::ios::binary) << "[other]\nk=v\n";
    fs::create_symlink("shared/common.ini", m_dir / "hop.ini");
    fs::create_symlink(m_dir / "hop.ini", m_path);
    IniFile ini;
    ASSERT_EQ(ini.load(m_path), IniFile::LoadResult::Read);
    ini.writeString("bramblies", "Top", "7");
    ASSERT_TRUE(ini.save(m_path));
    EXPECT_TRUE(fs::is_symlink(m_path));
    EXPECT_TRUE(fs::is_symlink(m_dir / "hop.ini"));
    std::ifstream in(shared, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "[other]\nk=v\n[bramblies]\nTop=7\n");
    EXPECT_FALSE(fs::exists(m_dir / "shared" / "common.ini.new"));
}

TEST_F(IniFileTest, ReadOnlyFileIsReadButNeverReplaced) {
    namespace fs = std::filesystem;
    writeFile("[bramblies]\nTop=5\n");
    fs::permissions(m_path, fs::perms::owner_read | fs::perms::group_read);
    IniFile ini;
    ASSERT_EQ(ini.load(m_path), IniFile::LoadResult::Read);
    EXPECT_EQ(ini.refusal(), IniFile::Refusal::ReadOnly);
    EXPECT_EQ(ini.value("bramblies", "Top"), "5");
    ini.writeString("bramblies", "Top", "3");
    EXPECT_FALSE(ini.save(m_path));
    EXPECT_EQ(readFile(), "[bramblies]\nTop=5\n");
    EXPECT_EQ(fs::status(m_path).permissions(), fs::perms::owner_read | fs::perms::group_read);
}

TEST_F(IniFileTest, HostileContentReadsSafelyAndSurvivesAWrite) {
    std::string binary;
    std::mt19937 rng(7);
    for (int i = 0; i < 200000; ++i)
        binary += static_cast<char>(rng() & 0xFF);
    const std::string hugeLine(10 * 1024 * 1024, 'A');
    const std::string cases[] = {
        binary,
        "[bramblies]\nTop=" + hugeLine + "\n",
        "[bramblies]\n" + hugeLine + "\nLeft=4\n",
        "[bramblies]\nTop\0=1\n\xff\xfe=\n=novalue\n[\n]\n[bramblies\n"s,
    };
    for (const std::string& data : cases) {
        writeFile(data);
        IniFile ini;
        ASSERT_EQ(ini.load(m_path), IniFile::LoadResult::Read);
        EXPECT_EQ(ini.text(), data);
        ini.value("bramblies", "Top");
        ini.writeString("bramblies", "Height", "501");
        ASSERT_TRUE(ini.save(m_path));
        const std::string after = readFile();
        EXPECT_NE(after.find("Height=501"), std::string::npos);
        if (&data == &cases[0]) {
            EXPECT_EQ(after.compare(0, data.size(), data), 0);
        }
        IniFile reread;
        reread.load(m_path);
        EXPECT_EQ(reread.value("bramblies", "height"), "501");
    }
    IniFile longValue;
    longValue.setText(cases[1]);
    EXPECT_EQ(longValue.value("bramblies", "top")->size(), hugeLine.size());
}

} // namespace
