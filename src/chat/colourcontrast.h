// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeping chat text readable: a line's colour stays what the sender chose (on the wire and in
// the style table) and is only drawn darker when it would vanish into the chat's background.
// Colours are plain 32-bit values, red in the low byte (see colourtext.h).

#include <cstdint>

namespace core {

// The contrast ratio of two colours as the accessibility guidelines define it: 1 for equal
// luminance up to 21 for black on white.
double contrastRatio(std::uint32_t a, std::uint32_t b);

// The least readable text we draw: large bold chat text needs 3:1.
inline constexpr double kMinChatContrast = 3.0;

// The colour itself when it stands out from the background by at least minRatio; otherwise
// the same hue darkened just enough to. The top byte is dropped.
std::uint32_t readableOn(std::uint32_t colour, std::uint32_t background,
                         double minRatio = kMinChatContrast);

} // namespace core
