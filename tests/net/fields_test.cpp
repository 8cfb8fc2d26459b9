// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/fields.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Fields, StrictIntegers) {
    EXPECT_EQ(parseInt("0"), 0);
    EXPECT_EQ(parseInt("-1"), -1);
    EXPECT_EQ(parseInt("7772"), 7772);
    for (const char* bad : {"", "-", " 1", "1 ", "+1", "1a", "abc", "99999999999"})
        EXPECT_EQ(parseInt(bad), std::nullopt) << bad;
}

TEST(Fields, SplitAndRead) {
    auto e = splitEntry("CMD_logininfo+1+1.0.2+Ann+Bob");
    EXPECT_EQ(e.command, "CMD_logininfo");
    FieldReader r(e.payload);
    EXPECT_EQ(r.nextInt(), 1);
    EXPECT_EQ(r.next(), "1.0.2");
    EXPECT_EQ(r.rest(), "Ann+Bob");
    EXPECT_EQ(splitEntry("CMD_full").command, "");
    EXPECT_EQ(splitEntry("CMD_full+").command, "CMD_full");
    EXPECT_EQ(Builder("CMD_full").done(true), "CMD_full+");
    EXPECT_EQ(Builder("CMD_selectedcat").add(2).add("5").done(true), "CMD_selectedcat+2+5+");
}
