// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/chatsend.h"
#include "chat/colourtext.h"
#include "chat/phraselock.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Sendit, TypedLines) {
    const struct {
        const char* entry;
        std::optional<std::string> message;
    } cases[] = {
        {"hello there", "CMD_chat+3+hello there|clGreen"},
        {"a|b+c", "CMD_chat+3+a|b+c|clGreen"},
        {"/me waves", "CMD_action+3+waves|clGreen"},
        {"/me", "CMD_action+3+|clGreen"},
        {"/me ", "CMD_action+3+|clGreen"},
        {"/meow", "CMD_action+3+w|clGreen"},
        {"/me\xC3\xA9t\xC3\xA9", "CMD_action+3+t\xC3\xA9|clGreen"}, // the 4th character is 2 bytes
        {"/msg bob hi", std::nullopt},
        {"/", std::nullopt},
        {"", std::nullopt},
        {" /me x", "CMD_chat+3+ /me x|clGreen"},
    };
    for (const auto& c : cases) {
        const SendResult r = sendit(c.entry, true, 3, kClGreen);
        EXPECT_EQ(r.message, c.message) << c.entry;
        EXPECT_TRUE(r.clearEntry) << c.entry;
    }
}

TEST(Sendit, NotLoggedInKeepsTheEntry) {
    const SendResult r = sendit("hello", false, 0, kClBlack);
    EXPECT_FALSE(r.message);
    EXPECT_FALSE(r.clearEntry);
}

TEST(Sendit, UnnamedColourGoesAsHex) {
    EXPECT_EQ(sendit("x", true, 7, colourFromRgb(255, 192, 64)).message, "CMD_chat+7+x|$0040C0FF");
}

TEST(PhraseMessage, SaysOrMe) {
    EXPECT_EQ(phraseMessage("Way To Go!", 2, kClBlack), "CMD_action+2+says: Way To Go!|clBlack");
    EXPECT_EQ(phraseMessage("/me dances", 2, kClBlack), "CMD_action+2+dances|clBlack");
    EXPECT_EQ(phraseMessage("/medances", 2, kClBlack), "CMD_action+2+says: /medances|clBlack");
    EXPECT_EQ(phraseMessage("", 2, kClBlack), "CMD_action+2+says: |clBlack");
    EXPECT_EQ(kDefaultPhrases[9], "/me waves \"Good-Bye\"");
}

TEST(PhraseLock, TwoSecondsAfterEachPhrase) {
    PhraseLock lock;
    EXPECT_TRUE(lock.phraseready(0));
    lock.lock(1000);
    EXPECT_FALSE(lock.phraseready(1000));
    EXPECT_FALSE(lock.phraseready(2999));
    EXPECT_TRUE(lock.phraseready(3000));
    lock.lock(3500);
    EXPECT_FALSE(lock.phraseready(5499));
    EXPECT_TRUE(lock.phraseready(5500));
}
