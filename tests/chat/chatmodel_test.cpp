// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/chatmodel.h"
#include "chat/colourtext.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

// One line as "text|text|<k:link>|{picture}" so a whole line compares in one assertion.
std::string describe(const ChatLine& line) {
    std::string out;
    for (const ChatItem& item : line.items) {
        if (!out.empty()) out += '|';
        switch (item.kind) {
        case ChatItem::Kind::Text:
            out += item.text;
            break;
        case ChatItem::Kind::Link:
            out += '<' + std::to_string(item.link) + ':' + item.text + '>';
            break;
        case ChatItem::Kind::Smiley:
            out += '{' + std::to_string(item.smiley) + '}';
            break;
        }
    }
    return out;
}

} // namespace

TEST(ChatModel, LinesIntoItems) {
    const struct {
        const char* line;
        int style;
        const char* items;
    } cases[] = {
        // Status line: no head, so the paragraph opens with a lone space.
        {"0+You are Connected.", 0, " |You |are |Connected. "},
        {"3+Bob chats: see www.x.com now", 3, "Bob chats: | |see |<0:www.x.com >|now "},
        {"4+Ann chats: http://a.b/c?d=1 x", 4, "Ann chats: | |<0:http://a.b/c?d=1 >|x "},
        {"2+Al chats: a:b c", 2, "Al chats: | |a:b |c "},
        {"2+Al chats:", 2, "Al chats: "},
        {"2+Al chats: two  spaces", 2, "Al chats: | |two | |spaces "},
        {"2+Al chats: hi, there!", 2, "Al chats: | |hi, |there! "},
        // Smileys: code c is picture c-10; anything not 10..27 is picture 0.
        {"1+Al chats: hi :)#15 ok", 1, "Al chats: | |hi | |{5}| |ok "},
        {"1+Al chats: :)#27:)#10", 1, "Al chats: | | |{17}| |{0}"},
        {"1+Al chats: x:)#99y", 1, "Al chats: | |x |{0}|y "},
        {"1+Al chats: x:)#ab", 1, "Al chats: | |x |{0}"},
        {"1+Al chats: x:)#28", 1, "Al chats: | |x |{0}"},
        {"1+Al chats: x:)#09", 1, "Al chats: | |x |{0}"},
        {"1+Al chats: x:)#1", 1, "Al chats: | |x |{0}"},
        {"1+Al chats: x:)#", 1, "Al chats: | |x |{0}"},
        {"1+Al chats: x:)#2", 1, "Al chats: | |x |{0}"},
        // A smiley mark before any other colon: its colon ends the head.
        {"0+:)#15 hi", 0, ": |)#15 |hi "},
        // Action lines have no head unless the text holds a colon.
        {"5+Al waves", 5, " |Al |waves "},
        {"5+Al says: Good One!", 5, "Al says: | |Good |One! "},
        // Sender numbers outside 0..14 (or unreadable) are shown in style 0.
        {"15+Al chats: x", 0, "Al chats: | |x "},
        {"-1+Al chats: x", 0, "Al chats: | |x "},
        {"abc+Al chats: x", 0, "Al chats: | |x "},
        {"no plus: x", 0, "no plus: | |x "},
        {"14+a+b", 14, " |a+b "},
        {"", 0, " "},
    };
    for (const auto& c : cases) {
        ChatModel model;
        EXPECT_EQ(model.addlinetochat(c.line, kClBlue), c.style) << c.line;
        ASSERT_EQ(model.lines().size(), 1u);
        EXPECT_EQ(model.lines()[0].style, c.style) << c.line;
        EXPECT_EQ(describe(model.lines()[0]), c.items) << c.line;
        EXPECT_EQ(model.style(c.style).colour, kClBlue);
        EXPECT_TRUE(model.style(c.style).bold);
    }
}

TEST(ChatModel, SmileyCodeIsTwoCharactersNotTwoBytes) {
    ChatModel model;
    model.addlinetochat("1+Al chats: :)#\xC3\xA9\xC3\xA9x", kClBlack);
    EXPECT_EQ(describe(model.lines()[0]), "Al chats: | | |{0}|x ");
}

TEST(ChatModel, ReceivedPayloads) {
    const struct {
        const char* payload;
        const char* line;
        std::uint32_t colour;
    } cases[] = {
        {"3+Bob chats: hi|clGreen", "3+Bob chats: hi", kClGreen},
        {"3+Bob chats: hi|CLGREEN", "3+Bob chats: hi", kClGreen},
        {"3+Bob chats: hi|$0040C0FF", "3+Bob chats: hi", 0x0040C0FF},
        {"3+Bob chats: hi", "3+Bob chats: hi", kClRed},
        {"3+Bob chats: hi|purplish", "3+Bob chats: hi", kClRed},
        {"3+Bob chats: hi|", "3+Bob chats: hi", kClRed},
        // "|" typed into the text: the rest is taken as the colour and does not read.
        {"3+Bob chats: a|b|clGreen", "3+Bob chats: a", kClRed},
    };
    for (const auto& c : cases) {
        const ChatPayload p = parseChatPayload(c.payload);
        EXPECT_EQ(p.line, c.line) << c.payload;
        EXPECT_EQ(p.colour, c.colour) << c.payload;
    }
    ChatModel model;
    EXPECT_EQ(model.chatrecieved("3+Bob chats: see www.x.com now|clGreen"), 3);
    EXPECT_EQ(model.style(3).colour, kClGreen);
    EXPECT_EQ(model.linkTarget(0), "www.x.com");
}

TEST(ChatModel, LaterLineRecoloursItsSenderOnly) {
    ChatModel model;
    model.addlinetochat("3+Bob chats: one", kClGreen);
    model.addlinetochat("4+Ann chats: two", kClBlack);
    model.addlinetochat("3+Bob chats: three", kClBlue);
    EXPECT_EQ(model.style(3).colour, kClBlue);
    EXPECT_EQ(model.style(4).colour, kClBlack);
    EXPECT_FALSE(model.style(5).bold);
}

TEST(ChatModel, LinkTableNumberingAndClear) {
    ChatModel model;
    EXPECT_EQ(model.linkCounter(), -1);
    EXPECT_FALSE(model.linkTarget(0));
    model.addlinetochat("1+A chats: www.old.com", kClBlack);
    EXPECT_EQ(model.chatlink(0), "www.old.com ");
    model.clear();
    EXPECT_TRUE(model.lines().empty());
    EXPECT_EQ(model.linkCounter(), -1);
    EXPECT_FALSE(model.linkTarget(0));
    model.addlinetochat("1+A chats: http://new.org/", kClBlack);
    EXPECT_EQ(model.lines()[0].items[2].link, 0);
    EXPECT_EQ(model.linkTarget(0), "http://new.org/");
    EXPECT_FALSE(model.linkTarget(-1));
    EXPECT_FALSE(model.linkTarget(kLinkTableSize));
}

TEST(ChatModel, LinksPastTheTableArePlainWords) {
    ChatModel model;
    for (int i = 0; i < kLinkTableSize; ++i)
        model.addlinetochat("1+A chats: www." + std::to_string(i) + ".com", kClBlack);
    EXPECT_EQ(model.linkCounter(), 100);
    model.addlinetochat("1+A chats: www.extra.com", kClBlack);
    const ChatItem& extra = model.lines().back().items[2];
    EXPECT_EQ(extra.kind, ChatItem::Kind::Text);
    EXPECT_EQ(extra.text, "www.extra.com ");
    EXPECT_EQ(model.linkCounter(), 100);
    EXPECT_EQ(model.linkTarget(100), "www.100.com");
}
