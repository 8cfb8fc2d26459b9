// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/gamelaunch.h"

namespace lobby {

std::vector<std::string> typedInGame(const std::string& name, const std::string& address, bool host,
                                     int port) {
    std::vector<std::string> arguments{name, address, host ? "true" : "false"};
    if (port > 0) arguments.insert(arguments.end(), {"--port", std::to_string(port)});
    return arguments;
}

std::vector<std::string> foundTableGame(const std::string& name, const std::string& address,
                                        int port) {
    return {name, address, "x", "--port", std::to_string(port)};
}

} // namespace lobby
