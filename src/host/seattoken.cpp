// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/seattoken.h"

#include "game/sealedseed.h"

namespace core {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<SeatToken> newSeatToken() {
    SeatToken token{};
    if (!seal::systemRandom(token)) return std::nullopt;
    return token;
}

std::string seatTokenText(const SeatToken& token) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(token.size() * 2);
    for (std::uint8_t byte : token) {
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0x0f];
    }
    return out;
}

std::optional<SeatToken> parseSeatToken(std::string_view text) {
    SeatToken token{};
    if (text.size() != token.size() * 2) return std::nullopt;
    for (std::size_t i = 0; i < token.size(); ++i) {
        const int hi = hexValue(text[2 * i]);
        const int lo = hexValue(text[2 * i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        token[i] = static_cast<std::uint8_t>(hi << 4 | lo);
    }
    return token;
}

bool sameSeatToken(const SeatToken& a, const SeatToken& b) {
    volatile std::uint8_t diff = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        diff = static_cast<std::uint8_t>(diff | (a[i] ^ b[i]));
    return diff == 0;
}

} // namespace core
