// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/tableannouncement.h"

#include "net/fields.h"

#include <string_view>

namespace core {

namespace {

constexpr std::size_t kMaxTxtString = 255;
constexpr int kMaxCount = 9; // slots on one table

std::string field(std::string_view key, const std::string& value) {
    std::string out(key);
    out += '=';
    return clipUtf8(out + value, kMaxTxtString);
}

} // namespace

std::vector<std::string> toTxt(const TableAnnouncement& t) {
    return {
        "txtvers=1",
        field("host", t.host),
        field("seated", std::to_string(t.seated)),
        field("spectators", std::to_string(t.spectators)),
        field("free", std::to_string(t.freeSeats)),
        field("game", t.running ? "1" : "0"),
        field("version", t.version),
    };
}

std::optional<TableAnnouncement> parseTxt(const std::vector<std::string>& txt) {
    TableAnnouncement t;
    for (const std::string& entry : txt) {
        std::string_view s = entry;
        auto eq = s.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = s.substr(0, eq), value = s.substr(eq + 1);
        auto count = [&](int& into) {
            auto n = parseInt(value);
            if (!n || *n < 0 || *n > kMaxCount) return false;
            into = *n;
            return true;
        };
        if (key == "host") {
            t.host = std::string(value);
        } else if (key == "version") {
            t.version = std::string(value);
        } else if (key == "game") {
            t.running = value == "1";
        } else if ((key == "seated" && !count(t.seated)) ||
                   (key == "spectators" && !count(t.spectators)) ||
                   (key == "free" && !count(t.freeSeats))) {
            return std::nullopt;
        }
    }
    return t;
}

} // namespace core
