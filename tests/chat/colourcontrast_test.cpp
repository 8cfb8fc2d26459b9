// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/colourcontrast.h"

#include "chat/colourtext.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

constexpr std::uint32_t kCream = colourFromRgb(254, 248, 211); // the chat's background

TEST(ColourContrast, RatioAsTheGuidelinesDefineIt) {
    EXPECT_NEAR(contrastRatio(0x00000000, 0x00FFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(0x00FFFFFF, 0x00000000), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(kClRed, kClRed), 1.0, 1e-9);
    EXPECT_NEAR(contrastRatio(colourFromRgb(0x76, 0x76, 0x76), 0x00FFFFFF), 4.54, 0.01);
}

TEST(ColourContrast, OnlyColoursThatWouldVanishAreDarkened) {
    // Readable colours are drawn as chosen.
    for (std::uint32_t c : {kClBlack, kClRed, kClBlue, kClGreen, colourFromRgb(128, 0, 128)})
        EXPECT_EQ(readableOn(c, kCream), c);
    // White, "-1" (all bits set) and yellow would vanish: the same hue, just dark enough.
    struct Case {
        std::uint32_t colour;
        std::uint32_t hue; // the colour's channels in proportion
    };
    for (const Case& c : {Case{0x00FFFFFF, 0x00FFFFFF}, Case{0xFFFFFFFF, 0x00FFFFFF},
                          Case{0x0000FFFF, 0x0000FFFF}, Case{colourFromRgb(250, 240, 200), 0}}) {
        const std::uint32_t drawn = readableOn(c.colour, kCream);
        EXPECT_GE(contrastRatio(drawn, kCream), kMinChatContrast) << std::hex << c.colour;
        EXPECT_LT(contrastRatio(drawn, kCream), kMinChatContrast + 0.2) << std::hex << c.colour;
        if (c.hue == 0x00FFFFFF) {
            EXPECT_EQ(colourRed(drawn), colourGreen(drawn));
            EXPECT_EQ(colourGreen(drawn), colourBlue(drawn));
        } else if (c.hue == 0x0000FFFF) {
            EXPECT_EQ(colourRed(drawn), colourGreen(drawn));
            EXPECT_EQ(colourBlue(drawn), 0);
        }
    }
}

} // namespace
