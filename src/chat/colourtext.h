// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours as text: how a chat colour travels after the "|" of a chat line and how the text
// colour is kept in the settings file.
//
// A colour is a 32-bit value: bits 0-7 red, 8-15 green, 16-23 blue, top byte 0 for a plain
// colour (0x80 in the top byte marks a desktop theme colour). Written as its name when it has
// one, otherwise as "$" and eight upper-case hex digits. Read from a name (any letter case),
// a decimal number or a "$" hex number.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace core {

inline constexpr std::uint32_t kClBlack = 0x00000000;
inline constexpr std::uint32_t kClRed = 0x000000FF;
inline constexpr std::uint32_t kClGreen = 0x00008000;
inline constexpr std::uint32_t kClBlue = 0x00FF0000;
// The colour of the table's own lines (the host's and this copy's notices).
inline constexpr std::uint32_t kSystemColour = kClBlue;

struct NamedColour {
    std::string_view name;
    std::uint32_t value;
};

// Every colour that has a name, in the order of the colour tables.
std::span<const NamedColour> namedColours();

// The colour a text stands for, or nullopt when the text is neither a colour name nor a
// whole number ("$" hex with 1 to 8 digits, or decimal within the 32-bit signed range;
// negative decimals give their two's complement).
std::optional<std::uint32_t> readColourText(std::string_view text);

// The text for a colour: its name, or "$" and eight upper-case hex digits. Every value can be
// written; the optional is kept so that callers handle a failure the way they handle reading.
std::optional<std::string> writeColourText(std::uint32_t colour);

// Colour values to plain RGB and back (the layout above keeps red in the low byte).
inline constexpr int colourRed(std::uint32_t c) {
    return static_cast<int>(c & 0xFF);
}
inline constexpr int colourGreen(std::uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int colourBlue(std::uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
inline constexpr std::uint32_t colourFromRgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r & 0xFF) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
           (static_cast<std::uint32_t>(b & 0xFF) << 16);
}

} // namespace core
