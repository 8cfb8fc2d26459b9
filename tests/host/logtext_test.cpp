#include "host/logtext.h"

#include <gtest/gtest.h>

TEST(LogSafe, ControlCharactersAreShownNotObeyed) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"Ann", "Ann"},
        {"\x1b[2J\rroot", "\\x1b[2J\\x0droot"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"tab\tdel\x7f", "tab\\x09del\\x7f"},
        {"back\\slash", "back\\\\slash"},
        {"Jos\xc3\xa9 \xe2\x82\xac", "Jos\xc3\xa9 \xe2\x82\xac"}, // UTF-8 text stays
        {"\xc2\x9b" "31m", "\\xc2\\x9b31m"},                     // C1 CSI in UTF-8
        {"end\xc2", "end\xc2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::logSafe(c.in), c.out) << c.out;
}
