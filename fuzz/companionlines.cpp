// SPDX-License-Identifier: GPL-3.0-or-later
// The lobby reads its companion connection with CompanionReader; the bytes come from whatever
// connects to its port on this machine, and TCP cuts them anywhere. The first input byte seeds
// how the rest is cut into pieces; the lines read must be the same however it is cut (and the
// stream poisoned at the same point), and every table read must be written back the same.
// fuzz-max-len: 8192

#include "lobby/companionlines.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// A table read from a line is written back as the same line. (A reach line's sentence is
// free text and is shown as it came.)
bool rewritesTheSame(const lobby::CompanionLine& line) {
    const auto* table = std::get_if<lobby::LobbyTable>(&line);
    if (!table) return true;
    std::string text = lobby::tableLine(*table);
    if (text.empty() || text.back() != '\n' || text.size() > lobby::kMaxCompanionLine) return false;
    text.pop_back();
    return lobby::readCompanionLine(text) == line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::uint32_t seed = data[0] * 2654435761u + 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    lobby::CompanionReader whole;
    const std::vector<lobby::CompanionLine> expected = whole.feed(bytes);

    lobby::CompanionReader pieces;
    std::vector<lobby::CompanionLine> got;
    for (std::size_t at = 0; at < bytes.size();) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t length = 1 + (seed >> 16) % 64;
        for (auto& line : pieces.feed(bytes.substr(at, length)))
            got.push_back(std::move(line));
        at += length;
    }
    if (got != expected || pieces.poisoned() != whole.poisoned()) std::abort();
    // Nothing more is read once poisoned, whatever follows.
    if (whole.poisoned() && !whole.feed("reach\t1\t198.51.100.4\t\n").empty()) std::abort();
    for (const auto& line : expected)
        if (!rewritesTheSame(line)) std::abort();
    return 0;
}
