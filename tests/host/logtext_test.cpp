// SPDX-License-Identifier: GPL-3.0-or-later
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
        {"\xc2\x9b"
         "31m",
         "\\xc2\\x9b31m"}, // C1 CSI in UTF-8
        {"end\xc2", "end\xc2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::logSafe(c.in), c.out) << c.out;
}

TEST(JsonQuoted, AnyBytesMakeOneValidJsonString) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"Ann", "\"Ann\""},
        {"say \"hi\" \\o/", "\"say \\\"hi\\\" \\\\o/\""},
        {"\x1b[2J\r\n", "\"\\u001b[2J\\u000d\\u000a\""},
        {"Jos\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb2",
         "\"Jos\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb2\""},
        {"Jos\xe9", "\"Jos\\u00e9\""}, // Latin-1 from an old client
        {"\xc2\x9b"
         "31m",
         "\"\\u009b31m\""},                            // C1 CSI
        {"\xed\xa0\x80", "\"\\u00ed\\u00a0\\u0080\""}, // a UTF-16 surrogate is no UTF-8
        {"end\xe2\x82", "\"end\\u00e2\\u0082\""},      // cut short
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::jsonQuoted(c.in), c.out) << c.out;
}
