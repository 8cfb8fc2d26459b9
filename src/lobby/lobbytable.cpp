// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/lobbytable.h"

#include "game/counts.h"
#include "net/fields.h"

#include <functional>
#include <map>
#include <string_view>

namespace lobby {

namespace {

constexpr int kMaxSpectators = core::kMaxSlot - core::kSeatCount;
constexpr int kMaxBonusLimit = 99;

const char* flag(bool value) {
    return value ? "1" : "0";
}

class Reader {
public:
    explicit Reader(const Attributes& attributes) {
        for (const auto& [key, value] : attributes) {
            if (!m_values.emplace(key, value).second) m_duplicate = true;
        }
    }
    bool duplicate() const { return m_duplicate; }

    bool number(const char* key, int low, int high, int& into) const {
        auto it = m_values.find(key);
        if (it == m_values.end()) return false;
        auto n = core::parseInt(it->second);
        if (!n || *n < low || *n > high) return false;
        into = *n;
        return true;
    }
    bool boolean(const char* key, bool& into) const {
        auto it = m_values.find(key);
        if (it == m_values.end() || (it->second != "0" && it->second != "1")) return false;
        into = it->second == "1";
        return true;
    }
    bool text(const char* key, std::size_t max, std::string& into) const {
        auto it = m_values.find(key);
        if (it == m_values.end() || it->second.size() > max || !isPrintable(it->second))
            return false;
        into = it->second;
        return true;
    }

private:
    std::map<std::string, std::string, std::less<>> m_values;
    bool m_duplicate = false;
};

} // namespace

bool isPrintable(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

bool isTableAddress(std::string_view text) {
    if (text.empty() || text.size() > kMaxTableAddress) return false;
    for (char c : text) {
        bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                  c == '.' || c == '-' || c == ':';
        if (!ok) return false;
    }
    return true;
}

Attributes tableAttributes(const LobbyTable& t) {
    return {
        {"host", core::clipUtf8(t.host, kMaxTableName)},
        {"address", t.address},
        {"port", std::to_string(t.port)},
        {"seated", std::to_string(t.seated)},
        {"spectators", std::to_string(t.spectators)},
        {"free", std::to_string(t.freeSeats)},
        {"game", flag(t.running)},
        {"round", std::to_string(t.round)},
        {"bonus", std::to_string(t.bonusLimit)},
        {"version", core::clipUtf8(t.version, kMaxTableVersion)},
        {"sealed", flag(t.sealed)},
        {"reach", flag(t.reachable)},
        {"server", flag(t.server)},
    };
}

std::optional<LobbyTable> readTable(const Attributes& attributes) {
    Reader in(attributes);
    LobbyTable t;
    bool whole =
        !in.duplicate() && in.text("host", kMaxTableName, t.host) &&
        in.text("address", kMaxTableAddress, t.address) && isTableAddress(t.address) &&
        in.number("port", 1, 65535, t.port) && in.number("seated", 0, core::kSeatCount, t.seated) &&
        in.number("spectators", 0, kMaxSpectators, t.spectators) &&
        in.number("free", 0, core::kSeatCount, t.freeSeats) && in.boolean("game", t.running) &&
        in.number("round", 0, core::kRounds, t.round) &&
        in.number("bonus", 0, kMaxBonusLimit, t.bonusLimit) &&
        in.text("version", kMaxTableVersion, t.version) && in.boolean("sealed", t.sealed) &&
        in.boolean("reach", t.reachable) && in.boolean("server", t.server);
    if (!whole) return std::nullopt;
    // Counts that cannot all be true: more people in seats than seats, a round outside a game.
    if (t.seated + t.freeSeats > core::kSeatCount) return std::nullopt;
    if (t.running != (t.round > 0)) return std::nullopt;
    return t;
}

} // namespace lobby
