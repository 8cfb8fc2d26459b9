// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/colourcontrast.h"

#include "chat/colourtext.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

double channel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(std::uint32_t c) {
    return 0.2126 * channel(colourRed(c)) + 0.7152 * channel(colourGreen(c)) +
           0.0722 * channel(colourBlue(c));
}

std::uint32_t scaled(std::uint32_t c, double factor) {
    auto s = [factor](int v) { return static_cast<int>(std::lround(v * factor)); };
    return colourFromRgb(s(colourRed(c)), s(colourGreen(c)), s(colourBlue(c)));
}

} // namespace

double contrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t readableOn(std::uint32_t colour, std::uint32_t background, double minRatio) {
    const std::uint32_t plain = colour & 0x00FFFFFFu;
    if (contrastRatio(plain, background) >= minRatio) return plain;
    // Darkening only lowers luminance, so the first step that reaches the ratio is the
    // lightest readable shade; black is the floor for any light background.
    for (int step = 1; step <= 100; ++step) {
        const std::uint32_t darker = scaled(plain, 1.0 - step / 100.0);
        if (contrastRatio(darker, background) >= minRatio) return darker;
    }
    return kClBlack;
}

} // namespace core
