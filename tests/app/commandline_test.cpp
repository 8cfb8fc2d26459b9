// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using app::parseCommandLine;
using namespace std::string_literals;

TEST(CommandLine, OptionsAreTakenOutWhereverTheyStand) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> positional;
        int port;
        double scale;
        int botSpeed;
        bool dedicated;
    };
    const std::vector<Case> cases{
        {{}, {}, 7772, 1.0, 750, false},
        {{"Ann", "10.0.0.5", "true"}, {"Ann", "10.0.0.5", "true"}, 7772, 1.0, 750, false},
        {{"--port", "7000", "Ann", "--time-scale", "20", "h", "x"},
         {"Ann", "h", "x"},
         7000,
         20,
         750,
         false},
        {{"--dedicated-host", "--bot-speed=50", "--port=0"}, {}, 0, 1.0, 50, true},
        // A single dash is no option: names may begin with one. After "--" all is positional.
        {{"-Ann", "-h", "x"}, {"-Ann", "-h", "x"}, 7772, 1.0, 750, false},
        {{"--time-scale", "2.5", "--", "--You", "h"}, {"--You", "h"}, 7772, 2.5, 750, false},
    };
    for (const auto& c : cases) {
        auto line = parseCommandLine(c.args);
        std::string what = ::testing::PrintToString(c.args);
        EXPECT_EQ(line.error, "") << what;
        EXPECT_EQ(line.positional, c.positional) << what;
        EXPECT_EQ(line.port, c.port) << what;
        EXPECT_DOUBLE_EQ(line.timeScale, c.scale) << what;
        EXPECT_EQ(line.botSpeedMs, c.botSpeed) << what;
        EXPECT_EQ(line.dedicatedHost, c.dedicated) << what;
    }
    EXPECT_TRUE(parseCommandLine({"--computer=expert"}).expertComputer);
    EXPECT_FALSE(parseCommandLine({"--computer=expert", "--computer", "classic"}).expertComputer);
}

TEST(CommandLine, MetricsListenOnLoopbackUnlessAnAddressIsGiven) {
    using Where = std::pair<std::string, int>;
    EXPECT_EQ(app::parseListenAddress("9100"), Where("127.0.0.1", 9100));
    EXPECT_EQ(app::parseListenAddress("0.0.0.0:9100"), Where("0.0.0.0", 9100));
    EXPECT_EQ(app::parseListenAddress("[::]:0"), Where("::", 0));
    for (const char* bad : {"", ":9100", "70000", "1.2.3:9100", "[::1]", "a:b"})
        EXPECT_EQ(app::parseListenAddress(bad), std::nullopt) << bad;
    EXPECT_EQ(parseCommandLine({"--metrics=[::1]:9100"}).metricsAddress, "::1");
    EXPECT_EQ(parseCommandLine({}).metricsPort, -1);
    const auto agones = parseCommandLine({"--agones", "--idle-shutdown=600"});
    EXPECT_TRUE(agones.agones);
    EXPECT_EQ(agones.idleShutdownS, 600);
}

TEST(CommandLine, FaultsAreNamedInOneSentence) {
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const std::vector<Case> cases{
        {{"--port", "70000"}, "invalid port '70000' (expected a number from 0 to 65535)"},
        {{"--port=-1"}, "invalid port '-1' (expected a number from 0 to 65535)"},
        {{"Ann", "--port", "-1"}, "invalid port '-1' (expected a number from 0 to 65535)"},
        {{"--port", "abc"}, "invalid port 'abc' (expected a number from 0 to 65535)"},
        {{"--port="}, "invalid port '' (expected a number from 0 to 65535)"},
        {{"--port", "99999999999999999999"},
         "invalid port '99999999999999999999' (expected a number from 0 to 65535)"},
        {{"--port", " 7000"}, "invalid port ' 7000' (expected a number from 0 to 65535)"},
        {{"Ann", "--port"}, "option '--port' needs a value"},
        {{"--port", "--dedicated-host"}, "option '--port' needs a value"},
        {{"--time-scale", "-1"}, "invalid time scale '-1' (expected a number above 0)"},
        {{"--log-format=xml"}, "invalid log format 'xml' (expected text or json)"},
        {{"--log-format"}, "option '--log-format' needs a value"},
        {{"--idle-shutdown", "0"}, "invalid idle time '0' (expected seconds from 1 to 604800)"},
        {{"--metrics=::1:9100"},
         "invalid metrics address '::1:9100' (expected [ADDRESS:]PORT, PORT from 0 to 65535)"},
        {{"--metrics", "example.org:80"},
         "invalid metrics address 'example.org:80' (expected [ADDRESS:]PORT, PORT from 0 to "
         "65535)"},
        {{"--time-scale=inf"}, "invalid time scale 'inf' (expected a number above 0)"},
        {{"--bot-speed", "0"}, "invalid bot speed '0' (expected milliseconds above 0)"},
        {{"--computer", "Expert"}, "invalid computer player 'Expert' (expected classic or expert)"},
        {{"--hold-seats", "-1"}, "invalid hold time '-1' (expected seconds from 0 to 86400)"},
        {{"--hold-seats=2m"}, "invalid hold time '2m' (expected seconds from 0 to 86400)"},
        {{"--no-hold-seats=1"}, "option '--no-hold-seats' takes no value"},
        {{"Ann", "--unknown", "h", "true"}, "unknown option '--unknown' (see --help)"},
        {{"--x=1"}, "unknown option '--x' (see --help)"},
        {{"--dedicated-host=yes"}, "option '--dedicated-host' takes no value"},
        // The first fault is the one reported.
        {{"--port", "1", "--bogus", "--port", "x"}, "unknown option '--bogus' (see --help)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseCommandLine(c.args).error, c.error) << ::testing::PrintToString(c.args);
}

TEST(CommandLine, HelpAndVersionAreFlags) {
    auto line = parseCommandLine({"Ann", "--version", "--help"});
    EXPECT_TRUE(line.help);
    EXPECT_TRUE(line.version);
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.positional, std::vector<std::string>{"Ann"});
}

TEST(CommandLine, HoldSeatsTimeOrNone) {
    EXPECT_EQ(parseCommandLine({"--dedicated-host"}).holdSeconds, 120);
    EXPECT_EQ(parseCommandLine({"--hold-seats", "30"}).holdSeconds, 30);
    EXPECT_EQ(parseCommandLine({"--hold-seats=30", "--no-hold-seats"}).holdSeconds, 0);
}

TEST(CommandLine, PortMappingSwitches) {
    auto none = parseCommandLine({"Ann", "h", "true"});
    EXPECT_FALSE(none.portMapping);
    EXPECT_FALSE(none.noPortMapping);
    auto off = parseCommandLine({"Ann", "--no-port-mapping", "h", "true"});
    EXPECT_TRUE(off.noPortMapping);
    EXPECT_EQ(off.positional.size(), 3u);
    EXPECT_TRUE(parseCommandLine({"--dedicated-host", "--port-mapping"}).portMapping);
    EXPECT_NE(parseCommandLine({"--port-mapping=1"}).error, "");
}

// The lobby's password comes from a file: its first line, bounded; every fault is one sentence.
TEST(CommandLine, LobbyAccountWithItsPasswordFile) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("bramblies-lobby-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto write = [&dir](const char* name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    };
    const std::string good = write("good", "s3cret pass\r\nignored\n");
    const auto line = parseCommandLine({"--lobby", "host@play.example.org", "--lobby-room=tables",
                                        "--lobby-password-file", good, "--lobby-connect",
                                        "[::1]:5223", "--lobby-address", "game.example.org"});
    ASSERT_EQ(line.error, "");
    EXPECT_EQ(line.lobby.password, "s3cret pass");
    EXPECT_EQ(std::pair(line.lobby.connectHost, line.lobby.connectPort), std::pair("::1"s, 5223));
    EXPECT_EQ(app::jidLocalPart(line.lobby.jid), "host");
    EXPECT_EQ(app::jidDomain(line.lobby.jid), "play.example.org");
    EXPECT_EQ(parseCommandLine({"--lobby-connect=localhost:5222", "--lobby=a@b",
                                "--lobby-password-file=" + good})
                  .lobby.connectHost,
              "localhost");

    const std::string empty = write("empty", "\n");
    const std::string big = write("big", std::string(app::kMaxPasswordFile + 1, 'x'));
    const std::string missing = (dir / "missing").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> faults{
        {{"--lobby", "host"}, "invalid lobby account 'host' (expected name@server)"},
        {{"--lobby", "@b"}, "invalid lobby account '@b' (expected name@server)"},
        {{"--lobby", "a@b/res"}, "invalid lobby account 'a@b/res' (expected name@server)"},
        {{"--lobby", "a@b"}, "option '--lobby' needs --lobby-password-file FILE"},
        {{"--lobby-room", "r"}, "the lobby options need --lobby JID"},
        {{"--lobby", "a@b", "--lobby-password-file", missing},
         "cannot read the lobby password file '" + missing + "'"},
        {{"--lobby", "a@b", "--lobby-password-file", empty},
         "the lobby password file '" + empty + "' holds no password"},
        {{"--lobby", "a@b", "--lobby-password-file", big},
         "the lobby password file '" + big + "' is larger than 1024 bytes"},
        {{"--lobby", "a@b", "--lobby-password-file", good, "--lobby-ca", missing},
         "cannot read the lobby CA certificate '" + missing + "'"},
        {{"--lobby-connect", "host"}, "invalid lobby server 'host' (expected HOST:PORT)"},
        {{"--lobby-connect", "::1:5222"}, "invalid lobby server '::1:5222' (expected HOST:PORT)"},
        {{"--lobby-address", "a b"},
         "invalid public address 'a b' (expected a DNS name or an IP address)"},
    };
    for (const auto& [args, error] : faults)
        EXPECT_EQ(parseCommandLine(args).error, error) << ::testing::PrintToString(args);
    std::filesystem::remove_all(dir);
}
