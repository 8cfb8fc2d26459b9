// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include "game/computerstyle.h"
#include "net/fields.h"

#include <arpa/inet.h>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <tuple>

namespace app {

namespace {

std::optional<double> parsePositiveDouble(std::string_view text) {
    double value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value) || value <= 0) return std::nullopt;
    return value;
}

// A day: a seat held longer than that is a seat nobody is coming back to.
constexpr int kMaxHoldSeconds = 86400;

std::string quoted(std::string_view text) {
    std::string out(1, '\'');
    out += text;
    out += '\'';
    return out;
}

// Reads one option's value into `out`; returns the error text, empty when it was taken.
std::string takeValue(std::string_view name, std::string_view value, CommandLine& out) {
    if (name == "--port") {
        auto port = core::parseInt(value);
        if (!port || *port < 0 || *port > 65535)
            return "invalid port " + quoted(value) + " (expected a number from 0 to 65535)";
        out.port = *port;
    } else if (name == "--time-scale") {
        auto scale = parsePositiveDouble(value);
        if (!scale) return "invalid time scale " + quoted(value) + " (expected a number above 0)";
        out.timeScale = *scale;
    } else if (name == "--hold-seats") {
        auto seconds = core::parseInt(value);
        if (!seconds || *seconds < 0 || *seconds > kMaxHoldSeconds)
            return "invalid hold time " + quoted(value) + " (expected seconds from 0 to " +
                   std::to_string(kMaxHoldSeconds) + ")";
        out.holdSeconds = *seconds;
    } else if (name == "--computer") {
        auto style = core::parseComputerStyle(value);
        if (!style)
            return "invalid computer player " + quoted(value) + " (expected classic or expert)";
        out.expertComputer = *style == core::ComputerStyle::Expert;
    } else {
        auto ms = core::parseInt(value);
        if (!ms || *ms <= 0)
            return "invalid bot speed " + quoted(value) + " (expected milliseconds above 0)";
        out.botSpeedMs = *ms;
        out.botSpeedGiven = true;
    }
    return {};
}

// The dedicated host's options for operators. Returns nullopt when `name` is none of them,
// otherwise the error text (empty when the value was taken).
std::optional<std::string> takeOperatorValue(std::string_view name, std::string_view value,
                                             CommandLine& out) {
    if (name == "--log-format") {
        auto format = core::parseLogFormat(value);
        if (!format) return "invalid log format " + quoted(value) + " (expected text or json)";
        out.logFormat = *format;
        return std::string();
    }
    if (name == "--idle-shutdown") {
        auto seconds = core::parseInt(value);
        if (!seconds || *seconds <= 0 || *seconds > 7 * 86400)
            return "invalid idle time " + quoted(value) + " (expected seconds from 1 to 604800)";
        out.idleShutdownS = *seconds;
        return std::string();
    }
    if (name == "--metrics") {
        auto where = parseListenAddress(value);
        if (!where)
            return "invalid metrics address " + quoted(value) +
                   " (expected [ADDRESS:]PORT, PORT from 0 to 65535)";
        std::tie(out.metricsAddress, out.metricsPort) = *where;
        return std::string();
    }
    return std::nullopt;
}

bool takesOperatorValue(std::string_view name) {
    CommandLine scratch;
    return takeOperatorValue(name, "", scratch).has_value() ||
           takeLobbyValue(name, "", scratch.lobby).has_value();
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine out;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size() && out.error.empty(); ++i) {
        std::string_view arg = args[i];
        // The short forms everybody tries first; without them "-h" would be a player's name
        // and the window would wait for ever for its other two arguments. After a name they
        // are the address and the mode, as a lobby may pass anything there.
        if (!optionsEnded && out.positional.empty() && (arg == "-h" || arg == "-v")) {
            (arg == "-h" ? out.help : out.version) = true;
            continue;
        }
        if (optionsEnded || !arg.starts_with("--")) {
            out.positional.push_back(args[i]);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (auto eq = arg.find('='); eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        bool* flag = name == "--dedicated-host"    ? &out.dedicatedHost
                     : name == "--help"            ? &out.help
                     : name == "--version"         ? &out.version
                     : name == "--port-mapping"    ? &out.portMapping
                     : name == "--no-port-mapping" ? &out.noPortMapping
                     : name == "--agones"          ? &out.agones
                                                   : nullptr;
        if (flag) {
            if (value) out.error = "option " + quoted(name) + " takes no value";
            *flag = true;
            continue;
        }
        if (name == "--no-hold-seats") {
            if (value) out.error = "option " + quoted(name) + " takes no value";
            out.holdSeconds = 0;
            continue;
        }
        if (name != "--port" && name != "--time-scale" && name != "--bot-speed" &&
            name != "--computer" && name != "--hold-seats" && !takesOperatorValue(name)) {
            out.error = "unknown option " + quoted(name) + " (see --help)";
            continue;
        }
        if (!value) {
            // "--port -1" hands "-1" to the option; another "--option" is no value.
            if (i + 1 >= args.size() || std::string_view(args[i + 1]).starts_with("--")) {
                out.error = "option " + quoted(name) + " needs a value";
                continue;
            }
            value = args[++i];
        }
        if (auto error = takeOperatorValue(name, *value, out))
            out.error = *error;
        else if (auto lobbyError = takeLobbyValue(name, *value, out.lobby))
            out.error = *lobbyError;
        else
            out.error = takeValue(name, *value, out);
    }
    // --help and --version answer whatever else the line holds.
    if (out.error.empty() && !out.help && !out.version) out.error = checkLobbyOptions(out.lobby);
    return out;
}

namespace {

// The options of the dedicated host, shared by both programs' help.
std::string hostOptionsText() {
    return "  --port N            game port, 0 to 65535 (default " +
           std::to_string(CommandLine::kDefaultPort) +
           ")\n"
           "  --bot-speed MS      computer move delay of the dedicated host (default " +
           std::to_string(CommandLine::kDefaultBotSpeedMs) +
           ")\n"
           "  --computer PLAYER   computer player of the dedicated host: classic (default)\n"
           "                      or expert\n"
           "  --port-mapping      the dedicated host asks the router to forward the port\n"
           "  --hold-seats S      keep the seat of a player whose connection dropped S\n"
           "                      seconds for their return (default " +
           std::to_string(core::kDefaultHoldSeconds) +
           ")\n"
           "  --no-hold-seats     give such a seat up at once\n"
           "  --time-scale F      divide the game timer's intervals by F (default 1)\n"
           "  --log-format FORMAT the dedicated host's log on standard error: text (default)\n"
           "                      or json, one object a line\n"
           "  --metrics [ADDR:]PORT serve Prometheus metrics at /metrics (address\n"
           "                      127.0.0.1 unless given)\n"
           "  --agones            use the Agones SDK sidecar on localhost, port\n"
           "                      $AGONES_SDK_HTTP_PORT (default 9358)\n"
           "  --idle-shutdown S   with --agones, ask to be shut down once the table has\n"
           "                      been empty for S seconds, whether or not a game ended\n" +
           lobbyOptionsText();
}

} // namespace

std::optional<std::pair<std::string, int>> parseListenAddress(std::string_view text) {
    std::string address = "127.0.0.1";
    std::string_view port = text;
    if (auto colon = text.rfind(':'); colon != std::string_view::npos) {
        address = std::string(text.substr(0, colon));
        port = text.substr(colon + 1);
        if (address.size() >= 2 && address.front() == '[' && address.back() == ']')
            address = address.substr(1, address.size() - 2);
        else if (address.find(':') != std::string::npos)
            return std::nullopt; // an IPv6 address needs its brackets
        unsigned char buffer[16];
        if (inet_pton(AF_INET, address.c_str(), buffer) != 1 &&
            inet_pton(AF_INET6, address.c_str(), buffer) != 1)
            return std::nullopt;
    }
    auto number = core::parseInt(port);
    if (!number || *number < 0 || *number > 65535) return std::nullopt;
    return std::pair{address, *number};
}

std::string usageText(const std::string& program) {
    return "Usage: " + program + " [OPTION...] [NAME ADDRESS MODE]\n" +
           "A networked dice game for up to six players and three spectators.\n"
           "\n"
           "Without NAME ADDRESS MODE, plays a solo game against the computer.\n"
           "  NAME ADDRESS true   host a game as NAME (ADDRESS is not used)\n"
           "  NAME ADDRESS other  join the game hosted at ADDRESS as NAME\n"
           "\n"
           "Options (they may stand anywhere; \"--\" ends them):\n"
           "  --dedicated-host    run only the game host, without a window\n"
           "  --no-port-mapping   when hosting, do not ask the router to forward the port\n" +
           hostOptionsText() +
           "  -h, --help          show this help and exit\n"
           "  -v, --version       show the version and exit\n";
}

std::string hostUsageText(const std::string& program) {
    return "Usage: " + program + " [OPTION...]\n" +
           "The Bramblies game host without a window, for up to six players and three\n"
           "spectators at one table. The first player to connect may start the games.\n"
           "\n"
           "Options:\n" +
           hostOptionsText() +
           "  -h, --help          show this help and exit\n"
           "  -v, --version       show the version and exit\n";
}

} // namespace app
