#include "client/commandline.h"

#include "net/fields.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace core {

namespace {

std::optional<double> parsePositiveDouble(std::string_view text) {
    double value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value) || value <= 0) return std::nullopt;
    return value;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (!arg.starts_with("--")) {
            out.positional.push_back(args[i]);
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (auto eq = arg.find('='); eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        if (name == "--dedicated-host") {
            out.dedicatedHost = true;
            continue;
        }
        if (name == "--port-mapping" || name == "--no-port-mapping") {
            (name == "--port-mapping" ? out.portMapping : out.noPortMapping) = true;
            continue;
        }
        bool takesValue = name == "--port" || name == "--time-scale" || name == "--bot-speed";
        if (!takesValue) continue;
        if (!value) {
            if (i + 1 >= args.size() || std::string_view(args[i + 1]).starts_with("--")) continue;
            value = args[++i];
        }
        if (name == "--port") {
            if (auto port = parseInt(*value); port && *port >= 0 && *port <= 65535)
                out.port = *port;
        } else if (name == "--time-scale") {
            if (auto scale = parsePositiveDouble(*value)) out.timeScale = *scale;
        } else if (auto ms = parseInt(*value); ms && *ms > 0) {
            out.botSpeedMs = *ms;
            out.botSpeedGiven = true;
        }
    }
    return out;
}

} // namespace core
