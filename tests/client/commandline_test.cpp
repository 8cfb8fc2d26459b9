#include "client/commandline.h"

#include <gtest/gtest.h>

using core::parseCommandLine;

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
        {{"Ann", "--unknown", "h", "--x=1", "true"}, {"Ann", "h", "true"}, 7772, 1.0, 750, false},
        // Values that do not convert keep the default; a missing value takes nothing.
        {{"--port", "99999", "--time-scale", "0", "--bot-speed", "-5"}, {}, 7772, 1.0, 750, false},
        {{"--port", "abc", "Ann"}, {"Ann"}, 7772, 1.0, 750, false},
        {{"Ann", "--port"}, {"Ann"}, 7772, 1.0, 750, false},
        {{"--port", "--dedicated-host"}, {}, 7772, 1.0, 750, true},
        {{"--time-scale", "2.5", "--", "You"}, {"You"}, 7772, 2.5, 750, false},
    };
    for (const auto& c : cases) {
        auto line = parseCommandLine(c.args);
        std::string what = ::testing::PrintToString(c.args);
        EXPECT_EQ(line.positional, c.positional) << what;
        EXPECT_EQ(line.port, c.port) << what;
        EXPECT_DOUBLE_EQ(line.timeScale, c.scale) << what;
        EXPECT_EQ(line.botSpeedMs, c.botSpeed) << what;
        EXPECT_EQ(line.dedicatedHost, c.dedicated) << what;
    }
}

TEST(CommandLine, PortMappingSwitches) {
    auto none = parseCommandLine({"Ann", "h", "true"});
    EXPECT_FALSE(none.portMapping);
    EXPECT_FALSE(none.noPortMapping);
    auto off = parseCommandLine({"Ann", "--no-port-mapping", "h", "true"});
    EXPECT_TRUE(off.noPortMapping);
    EXPECT_EQ(off.positional.size(), 3u);
    EXPECT_TRUE(parseCommandLine({"--dedicated-host", "--port-mapping"}).portMapping);
}
