// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/inifile.h"
#include "chat/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

using core::IniFile;
using core::Placement;
using core::Settings;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::temp_directory_path() /
                ("bramblies_settings_" + std::string(info->name()) + "_" +
                 std::to_string(std::random_device{}()));
        std::filesystem::create_directories(m_dir);
        m_path = m_dir / "quarlobby.ini";
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    void writeFile(const std::string& data) { std::ofstream(m_path, std::ios::binary) << data; }
    std::string readFile() const {
        std::ifstream in(m_path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::optional<std::string> stored(std::string_view key) const {
        IniFile ini;
        ini.load(m_path);
        return ini.value("bramblies", key);
    }
    Settings loaded(const std::string& data) {
        writeFile(data);
        Settings s(m_path);
        EXPECT_TRUE(s.loadinifile());
        return s;
    }

    std::filesystem::path m_dir;
    std::filesystem::path m_path;
};

void expectFileDefaults(const Settings& s) {
    EXPECT_EQ(s.textSize(), 8);
    EXPECT_TRUE(Settings::isTextSizeItem(s.textSize()));
    EXPECT_EQ(s.lastPlacement(), (Placement{3, 3, 704, 501}));
    EXPECT_EQ(s.textColour(), 0u);
    EXPECT_EQ(s.botSpeed(), 650);
    for (const auto& p : s.phrases())
        EXPECT_EQ(p, "");
    EXPECT_TRUE(s.playSounds());
    EXPECT_TRUE(s.remindMe());
    EXPECT_EQ(s.turnSound(), 0);
    EXPECT_TRUE(s.playChatterSounds());
    EXPECT_EQ(s.rolls(), 0);
}

TEST_F(SettingsTest, NoFileReadsAsDefaultsAndCreatesNothing) {
    Settings s(m_path);
    EXPECT_TRUE(s.loadinifile());
    expectFileDefaults(s);
    EXPECT_FALSE(std::filesystem::exists(m_path));
}

TEST_F(SettingsTest, HostileFilesReadAsDefaults) {
    std::string binary;
    std::mt19937 rng(11);
    for (int i = 0; i < 100000; ++i)
        binary += static_cast<char>(rng() & 0xFF);
    const std::string cases[] = {
        binary,
        "[bramblies]\nTextsize=" + std::string(10 * 1024 * 1024, '9') + "\n",
        "[bramblies]\nTextsize 12\nTop\nRolls\n" + std::string(10 * 1024 * 1024, 'x') + "\n",
        "[bramblies]\n[bramblies]\n[BRAMBLIES]\n",
        "[bramblies]\nTextsize=-5\nWidth=100000000\nHeight=0\nTop=99999999999\nLeft=1e3\n",
    };
    for (const auto& data : cases) {
        SCOPED_TRACE(data.substr(0, 40));
        expectFileDefaults(loaded(data));
    }
}

TEST_F(SettingsTest, ReadingRules) {
    struct Case {
        const char* file;
        std::function<void(const Settings&)> check;
    };
    const Case cases[] = {
        {"[bramblies]\nTextsize=9\n",
         [](const Settings& s) {
             EXPECT_EQ(s.textSize(), 9);
             EXPECT_FALSE(Settings::isTextSizeItem(9));
         }},
        {"[bramblies]\nTextsize=abc\nTop=x\nLeft=20\nWidth=800\nHeight=600\n",
         [](const Settings& s) {
             EXPECT_EQ(s.textSize(), 8);
             EXPECT_EQ(s.lastPlacement(), (Placement{3, 20, 800, 600}));
         }},
        {"[bramblies]\nBotspeed=1000\n", [](const Settings& s) { EXPECT_EQ(s.botSpeed(), 1000); }},
        {"[bramblies]\nBotspeed=350\n", [](const Settings& s) { EXPECT_EQ(s.botSpeed(), 350); }},
        {"[bramblies]\nBotspeed=abc\n", [](const Settings& s) { EXPECT_EQ(s.botSpeed(), 650); }},
        {"[bramblies]\nComputerplayer=expert\n",
         [](const Settings& s) { EXPECT_TRUE(s.expertComputer()); }},
        {"[bramblies]\nComputerplayer=Expert\n",
         [](const Settings& s) { EXPECT_FALSE(s.expertComputer()); }},
        {"[bramblies]\nTextcolor=clRED\n",
         [](const Settings& s) { EXPECT_EQ(s.textColour(), 0x000000FFu); }},
        {"[bramblies]\nTextcolor=$0040C0FF\n",
         [](const Settings& s) { EXPECT_EQ(s.textColour(), 0x0040C0FFu); }},
        {"[bramblies]\nTextcolor=12345\n",
         [](const Settings& s) { EXPECT_EQ(s.textColour(), 12345u); }},
        {"[bramblies]\nTextcolor=pink\n", [](const Settings& s) { EXPECT_EQ(s.textColour(), 0u); }},
        {"[bramblies]\nPhrase1=Hi all\nPhrase3=\nPhrase10=/me waves\n",
         [](const Settings& s) {
             EXPECT_EQ(s.phrases()[0], "Hi all");
             EXPECT_EQ(s.phrases()[2], ""); // keeps button 3's built-in phrase
             EXPECT_EQ(s.phrases()[9], "/me waves");
         }},
        {"[bramblies]\nRolls=5\n", [](const Settings& s) { EXPECT_EQ(s.rolls(), 5); }},
        {"[bramblies]\nRolls=3\n", [](const Settings& s) { EXPECT_EQ(s.rolls(), 0); }},
        {"[bramblies]\nRolls=2\nTurnsound=1\nPlayerphrasesounds=false\n",
         [](const Settings& s) {
             EXPECT_EQ(s.rolls(), 2);
             EXPECT_EQ(s.turnSound(), 1);
             EXPECT_FALSE(s.playChatterSounds());
         }},
        {"[bramblies]\nTurnsound=2\nPlaysounds=FALSE\nRemindme=false\n",
         [](const Settings& s) {
             EXPECT_EQ(s.turnSound(), 0);
             EXPECT_TRUE(s.playSounds()); // only the exact text "false" switches off
             EXPECT_FALSE(s.remindMe());
         }},
        // Carried defaults: a file holding only what the phrase editor writes.
        {"[bramblies]\nTextcolor=1000\n",
         [](const Settings& s) {
             EXPECT_EQ(s.textColour(), 1000u);
             EXPECT_EQ(s.botSpeed(), 1000);
         }},
        {"[bramblies]\nPhrase10=false\n",
         [](const Settings& s) {
             EXPECT_FALSE(s.playSounds());
             EXPECT_FALSE(s.remindMe());
             EXPECT_TRUE(s.playChatterSounds());
         }},
        {"[bramblies]\nPhrase10=false\nPlaysounds=true\n",
         [](const Settings& s) {
             EXPECT_TRUE(s.playSounds());
             EXPECT_TRUE(s.remindMe());
         }},
        {"[bramblies]\nPlaysounds=false\n", [](const Settings& s) { EXPECT_FALSE(s.remindMe()); }},
        {"[other]\nTextsize=12\n[bramblies]\n", [](const Settings& s) { expectFileDefaults(s); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        c.check(loaded(c.file));
    }
}

TEST_F(SettingsTest, SaveWritesEveryKeyButThePhrasesInOrder) {
    Settings s = loaded("; lobby comment\n[lobby]\nUser=Ann\n[bramblies]\nPhrase1=Hi\n");
    s.setPlacementSource([] { return Placement{10, 20, 900, 700}; });
    ASSERT_TRUE(s.setTextColour(0x0040C0FF));
    EXPECT_EQ(readFile(), "; lobby comment\n[lobby]\nUser=Ann\n[bramblies]\nPhrase1=Hi\n"
                          "Textsize=8\nTop=10\nLeft=20\nWidth=900\nHeight=700\n"
                          "Textcolor=$0040C0FF\nBotspeed=650\nRolls=0\nTurnsound=0\n"
                          "Playsounds=true\nRemindme=true\nPlayerphrasesounds=true\n"
                          "Speakgameevents=false\n"
                          "Computerplayer=classic\nSpeakchat=false\nHoldseats=true\n");
    ASSERT_TRUE(s.setBotSpeed(350));
    ASSERT_TRUE(s.setPlaySounds(false));
    ASSERT_TRUE(s.setTextColour(0x00FF0000));
    ASSERT_TRUE(s.setRolls(5));
    ASSERT_TRUE(s.setTurnSound(1));
    ASSERT_TRUE(s.setTextSize(14));
    ASSERT_TRUE(s.setSpeakEvents(true));
    ASSERT_TRUE(s.setSpeakChat(true));
    ASSERT_TRUE(s.setHoldSeats(false));

    Settings second(m_path);
    ASSERT_TRUE(second.loadinifile());
    EXPECT_FALSE(second.holdSeats());
    EXPECT_TRUE(second.speakEvents());
    EXPECT_TRUE(second.speakChat());
    EXPECT_EQ(second.botSpeed(), 350);
    EXPECT_FALSE(second.playSounds());
    EXPECT_EQ(second.textColour(), 0x00FF0000u);
    EXPECT_EQ(stored("Textcolor"), "clBlue");
    EXPECT_EQ(second.rolls(), 5);
    EXPECT_EQ(second.turnSound(), 1);
    EXPECT_EQ(second.textSize(), 14);
    EXPECT_EQ(second.lastPlacement(), (Placement{10, 20, 900, 700}));
    EXPECT_EQ(second.phrases()[0], "Hi");
    EXPECT_EQ(stored("User"), std::nullopt);
}

TEST_F(SettingsTest, PhraseEditorWritesTheTenKeysOnly) {
    writeFile("[bramblies]\nTop=40\n");
    Settings s(m_path);
    std::array<std::string, 10> phrases;
    for (int n = 0; n < 10; ++n)
        phrases[n] = "phrase " + std::to_string(n + 1);
    phrases[2] = "";
    ASSERT_TRUE(s.savePhrases(phrases));
    EXPECT_EQ(stored("Phrase3"), "");
    EXPECT_EQ(stored("Phrase10"), "phrase 10");
    EXPECT_EQ(stored("Top"), "40");
    EXPECT_EQ(stored("Textsize"), std::nullopt);
}

TEST_F(SettingsTest, CloseWritesOnlyAMovedOrResizedPlacement) {
    const std::string file = "[bramblies]\nTop=5\nLeft=6\nWidth=800\nHeight=600\n";
    Settings s = loaded(file);
    EXPECT_FALSE(s.closeWindow(Placement{5, 6, 800, 600}, 1920, 1080));
    EXPECT_EQ(readFile(), file);

    EXPECT_TRUE(s.closeWindow(Placement{50, 6, 800, 600}, 1920, 1080));
    EXPECT_EQ(stored("Top"), "50");
    EXPECT_EQ(s.lastPlacement(), (Placement{50, 6, 800, 600}));
}

TEST_F(SettingsTest, ClosingBeforeTheReadKeepsTheStoredSettings) {
    const std::string file = "[bramblies]\nTextsize=14\nBotspeed=1000\nTop=5\n";
    writeFile(file);
    Settings s(m_path);
    EXPECT_FALSE(s.closeWindow(Placement{100, 100, 704, 501}, 1920, 1080));
    EXPECT_EQ(readFile(), file);

    // A switch flipped before the read stores that switch alone.
    ASSERT_TRUE(s.setPlaySounds(false));
    EXPECT_EQ(readFile(), file + "Playsounds=false\n");
    EXPECT_FALSE(s.closeWindow(Placement{100, 100, 704, 501}, 1920, 1080));

    ASSERT_TRUE(s.loadinifile());
    EXPECT_EQ(s.textSize(), 14);
    EXPECT_EQ(s.botSpeed(), 1000);
    EXPECT_FALSE(s.playSounds());
}

TEST_F(SettingsTest, AFileThatWillNotBeChangedIsToldOnce) {
    namespace fs = std::filesystem;
    // Too large to read: defaults, the file kept, the reason with the path.
    writeFile("[bramblies]\nTextsize=12\n");
    fs::resize_file(m_path, IniFile::kMaxFileSize + 1); // sparse: costs no disk
    Settings big(m_path);
    EXPECT_FALSE(big.loadinifile());
    EXPECT_EQ(big.textSize(), 8);
    EXPECT_FALSE(big.setTextSize(14));
    EXPECT_EQ(fs::file_size(m_path), IniFile::kMaxFileSize + 1);
    EXPECT_EQ(big.takeNotice(),
              "The settings file " + m_path.string() +
                  " is too large to read: it was not read and will not be changed.");
    big.loadinifile();
    EXPECT_EQ(big.takeNotice(), std::nullopt);

    // Read-only: read as usual, never written.
    writeFile("[bramblies]\nTextsize=12\n");
    fs::permissions(m_path, fs::perms::owner_read);
    Settings ro(m_path);
    EXPECT_TRUE(ro.loadinifile());
    EXPECT_EQ(ro.textSize(), 12);
    EXPECT_FALSE(ro.setBotSpeed(Settings::kBotFast));
    EXPECT_FALSE(ro.closeWindow({50, 50, 800, 600}, 2000, 2000));
    EXPECT_EQ(readFile(), "[bramblies]\nTextsize=12\n");
    EXPECT_EQ(ro.takeNotice(), "The settings file " + m_path.string() +
                                   " is read-only: settings will not be saved.");
    EXPECT_EQ(ro.takeNotice(), std::nullopt);

    fs::permissions(m_path, fs::perms::owner_read | fs::perms::owner_write);
    Settings rw(m_path);
    EXPECT_TRUE(rw.loadinifile());
    EXPECT_EQ(rw.takeNotice(), std::nullopt);
}

TEST(PlacementOnClose, NarrowsWindowsLargerThanTheWorkArea) {
    const Placement last{3, 3, 704, 501};
    struct Case {
        Placement current;
        bool write;
        Placement stored;
    };
    const Case cases[] = {
        {{3, 3, 704, 501}, false, {3, 3, 704, 501}},  {{3, 3, 1300, 501}, true, {3, 3, 1285, 501}},
        {{3, 3, 704, 900}, true, {3, 3, 704, 885}},   {{3, 3, 1300, 900}, true, {3, 3, 1285, 885}},
        {{3, 3, 1280, 800}, true, {3, 3, 1280, 800}}, // exactly the work area: kept
        {{0, 9, 704, 501}, true, {0, 9, 704, 501}},
    };
    for (const auto& c : cases) {
        const auto out = core::placementOnClose(c.current, last, 1280, 800);
        EXPECT_EQ(out.write, c.write);
        EXPECT_EQ(out.placement, c.stored);
    }
}

TEST_F(SettingsTest, EachCloseOfAnOversizedWindowNarrowsItAgain) {
    Settings s = loaded("[bramblies]\nWidth=1400\n");
    ASSERT_TRUE(s.closeWindow(Placement{3, 3, 1390, 501}, 1280, 800));
    EXPECT_EQ(stored("Width"), "1375");
    ASSERT_TRUE(s.closeWindow(Placement{3, 3, 1380, 501}, 1280, 800));
    EXPECT_EQ(stored("Width"), "1365");
}

} // namespace

// The seat token is kept per host for a copy restarted during the game, before (and without)
// the other keys being read, and forgetting it leaves every other line as it was.
TEST_F(SettingsTest, SeatTokensAreKeptPerHostAndForgottenAlone) {
    writeFile("[lobby]\nUser=Ann\n[bramblies]\nTop=40\n");
    Settings s(m_path);
    std::filesystem::permissions(m_path, std::filesystem::perms(0644));
    ASSERT_TRUE(s.setSeatToken("10.0.0.5:7772", "00112233445566778899aabbccddeeff"));
    EXPECT_EQ(Settings(m_path).seatToken("10.0.0.5:7772"), "00112233445566778899aabbccddeeff");
    // Only its owner may read a file holding a token, also after the next save.
    const auto others = std::filesystem::perms::group_all | std::filesystem::perms::others_all;
    EXPECT_EQ(std::filesystem::status(m_path).permissions() & others, std::filesystem::perms::none);
    ASSERT_TRUE(s.setHoldSeats(false));
    EXPECT_EQ(std::filesystem::status(m_path).permissions() & others, std::filesystem::perms::none);
    EXPECT_EQ(s.seatToken("10.0.0.5:7000"), "");
    EXPECT_EQ(stored("Top"), "40");
    ASSERT_TRUE(s.setSeatToken("10.0.0.5:7772", ""));
    EXPECT_EQ(s.seatToken("10.0.0.5:7772"), "");
    const std::string before = readFile();
    ASSERT_TRUE(s.setSeatToken("elsewhere:1", "")); // nothing kept, nothing written
    EXPECT_EQ(readFile(), before);
}
