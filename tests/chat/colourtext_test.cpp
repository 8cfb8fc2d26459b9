// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/colourtext.h"

#include <gtest/gtest.h>

#include <set>

using namespace core;

TEST(ColourText, EveryNameRoundTripsInAnyCase) {
    std::set<std::uint32_t> seen;
    ASSERT_EQ(namedColours().size(), 42u);
    for (const NamedColour& nc : namedColours()) {
        EXPECT_TRUE(seen.insert(nc.value).second) << nc.name;
        EXPECT_EQ(writeColourText(nc.value), std::string(nc.name));
        EXPECT_EQ(readColourText(nc.name), nc.value) << nc.name;
        std::string upper(nc.name), lower(nc.name);
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(readColourText(upper), nc.value) << upper;
        EXPECT_EQ(readColourText(lower), nc.value) << lower;
    }
}

TEST(ColourText, TableValues) {
    const struct {
        const char* name;
        std::uint32_t value;
    } cases[] = {{"clBlack", 0},           {"clMaroon", 0x80},          {"clRed", 0xFF},
                 {"clGreen", 0x8000},      {"clBlue", 0xFF0000},        {"clSilver", 0xC0C0C0},
                 {"clAqua", 0xFFFF00},     {"clScrollBar", 0x80000000}, {"clBtnFace", 0x8000000F},
                 {"clInfoBk", 0x80000018}, {"clNone", 0x1FFFFFFF}};
    for (const auto& c : cases)
        EXPECT_EQ(readColourText(c.name), c.value) << c.name;
}

TEST(ColourText, UnnamedValuesUseEightHexDigits) {
    EXPECT_EQ(writeColourText(colourFromRgb(255, 192, 64)), "$0040C0FF");
    EXPECT_EQ(writeColourText(0x00000001), "$00000001");
    EXPECT_EQ(writeColourText(0xFFFFFFFF), "$FFFFFFFF");
    for (std::uint32_t v : {0x00000001u, 0x0040C0FFu, 0x12ABCDEFu, 0xFFFFFFFFu, 0x80000019u})
        EXPECT_EQ(readColourText(*writeColourText(v)), v);
}

TEST(ColourText, Numbers) {
    const struct {
        const char* text;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"$0040C0FF", 0x0040C0FF},
        {"$ff", 0xFF},
        {"$FFFFFFFF", 0xFFFFFFFF},
        {"255", 255},
        {"0", 0},
        {"-1", 0xFFFFFFFF},
        {"2147483647", 0x7FFFFFFF},
        {"-2147483648", 0x80000000},
        {"2147483648", std::nullopt},
        {"$123456789", std::nullopt},
        {"$", std::nullopt},
        {"$12G", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {" 12", std::nullopt},
        {"12 ", std::nullopt},
        {"clGreenish", std::nullopt},
        {"green", std::nullopt},
        {"1.5", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readColourText(c.text), c.value) << c.text;
}
