// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/gameaddress.h"

#include <algorithm>
#include <charconv>

namespace lobby {

namespace {

constexpr std::size_t kMaxHost = 255;

bool hostChar(char c, bool v6) {
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    return alnum || c == '.' || c == '-' || (v6 && (c == ':' || c == '%' || c == '_'));
}

bool validHost(std::string_view host, bool v6) {
    if (host.empty() || host.size() > kMaxHost) return false;
    if (v6 && std::count(host.begin(), host.end(), ':') < 2) return false;
    return std::all_of(host.begin(), host.end(), [v6](char c) { return hostChar(c, v6); });
}

std::optional<int> readPort(std::string_view text) {
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

} // namespace

std::optional<GameAddress> parseGameAddress(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        const std::string_view host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!validHost(host, true)) return std::nullopt;
        if (rest.empty()) return GameAddress{std::string(host), 0};
        if (rest.front() != ':') return std::nullopt;
        const auto port = readPort(rest.substr(1));
        if (!port) return std::nullopt;
        return GameAddress{std::string(host), *port};
    }
    const std::size_t colons = std::count(text.begin(), text.end(), ':');
    if (colons > 1) { // a bare IPv6 address
        if (!validHost(text, true)) return std::nullopt;
        return GameAddress{std::string(text), 0};
    }
    const std::size_t colon = text.find(':');
    const std::string_view host = text.substr(0, colon);
    if (!validHost(host, false)) return std::nullopt;
    if (colon == std::string_view::npos) return GameAddress{std::string(host), 0};
    const auto port = readPort(text.substr(colon + 1));
    if (!port) return std::nullopt;
    return GameAddress{std::string(host), *port};
}

} // namespace lobby
