// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/gamelaunch.h"

namespace lobby {

std::vector<std::string> typedInGame(const std::string& name, const std::string& address,
                                     bool host) {
    return {name, address, host ? "true" : "false"};
}

std::vector<std::string> foundTableGame(const std::string& name, const std::string& address,
                                        int port) {
    return {name, address, "x", "--port", std::to_string(port)};
}

} // namespace lobby
