// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line. Options that begin with "--" may stand anywhere; they are taken
// out first, and what remains are the positional parameters (name, host address, "true" to
// host). After a bare "--" everything is positional. Checking is strict: an unknown option, a
// missing value or a value that does not convert is an error, and the program refuses to start.

#include "app/lobbyoptions.h"
#include "host/operatorlog.h"
#include "net/protocol.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace app {

struct CommandLine {
    static constexpr int kDefaultPort = core::kGamePort;
    static constexpr int kDefaultBotSpeedMs = core::kDefaultBotSpeedMs;

    std::vector<std::string> positional;
    int port = kDefaultPort;             // --port N (0 lets the system choose when listening)
    double timeScale = 1.0;              // --time-scale F, divides the game timer's intervals
    int botSpeedMs = kDefaultBotSpeedMs; // --bot-speed MS, for the dedicated host
    bool botSpeedGiven = false;
    bool dedicatedHost = false;  // --dedicated-host
    bool expertComputer = false; // --computer classic|expert, for the dedicated host
    bool portMapping = false;    // --port-mapping: the dedicated host asks the router too
    bool noPortMapping = false;  // --no-port-mapping: the hosting copy does not ask the router
    // --hold-seats SECONDS / --no-hold-seats: how long the dedicated host keeps the seat of a
    // player whose connection dropped (0: not at all).
    int holdSeconds = core::kDefaultHoldSeconds;
    // For operators of the dedicated host.
    core::LogFormat logFormat = core::LogFormat::Text; // --log-format text|json
    std::string metricsAddress;                        // --metrics [ADDRESS:]PORT, loopback
    int metricsPort = -1;                              // by default; -1: no metrics
    bool agones = false;                               // --agones
    int idleShutdownS = 0;                             // --idle-shutdown SECONDS, 0: never
    LobbyOptions lobby; // --lobby JID and its company: listed in an internet lobby

    bool help = false;    // --help
    bool version = false; // --version

    // Empty when the line is good; otherwise one sentence naming the first fault.
    std::string error;
};

// args: the arguments without the program name. Accepts "--port 7000" and "--port=7000".
CommandLine parseCommandLine(const std::vector<std::string>& args);

// What --help prints, for the program called `program`.
std::string usageText(const std::string& program);
// What --help prints for the dedicated host's own program (the same options, no positionals).
std::string hostUsageText(const std::string& program);

// "[ADDRESS:]PORT" (an IPv6 address in brackets) as the address and port to listen on;
// without an address, 127.0.0.1. nullopt when it does not read.
std::optional<std::pair<std::string, int>> parseListenAddress(std::string_view text);

} // namespace app
