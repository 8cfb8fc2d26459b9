// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/logtext.h"

namespace core {

std::string logSafe(std::string_view text) {
    static const char* const kHex = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    auto escape = [&](unsigned char byte) {
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xf];
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7f) {
            escape(byte);
        } else if (byte == 0xc2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9f) {
            // U+0080..U+009F, the C1 controls (CSI among them) in UTF-8.
            escape(byte);
            escape(static_cast<unsigned char>(text[++i]));
        } else {
            out += text[i];
        }
    }
    return out;
}

namespace {

// The length of the valid UTF-8 sequence starting at text[i] (overlong forms, surrogates and
// code points past U+10FFFF are not valid); 0 when there is none.
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = b(0);
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        n = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        n = 3;
        if (lead == 0xe0) lo = 0xa0;
        if (lead == 0xed) hi = 0x9f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        n = 4;
        if (lead == 0xf0) lo = 0x90;
        if (lead == 0xf4) hi = 0x8f;
    } else {
        return 0;
    }
    if (i + n > text.size()) return 0;
    if (b(1) < lo || b(1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (b(k) < 0x80 || b(k) > 0xbf) return 0;
    return n;
}

} // namespace

std::string jsonQuoted(std::string_view text) {
    static const char* const kHex = "0123456789abcdef";
    std::string out = "\"";
    auto escape = [&](unsigned code) {
        out += "\\u00";
        out += kHex[(code >> 4) & 0xf];
        out += kHex[code & 0xf];
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += text[i++];
        } else if (byte < 0x20 || byte == 0x7f) {
            escape(byte);
            ++i;
        } else if (byte < 0x80) {
            out += text[i++];
        } else if (std::size_t n = utf8Length(text, i); n == 0) {
            escape(byte); // Latin-1
            ++i;
        } else if (byte == 0xc2 && static_cast<unsigned char>(text[i + 1]) <= 0x9f) {
            escape(static_cast<unsigned char>(text[i + 1])); // a C1 control
            i += 2;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    out += '"';
    return out;
}

} // namespace core
