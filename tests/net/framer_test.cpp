// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/fields.h"
#include "net/framer.h"
#include "net/messages.h"
#include "net/receivequeue.h"

#include <gtest/gtest.h>

using namespace core;

namespace {
const std::string T(1, '\xff');
}

TEST(Framer, CutsReadsIntoMessages) {
    struct Case {
        const char* what;
        std::vector<std::string> reads;
        std::vector<std::string> messages;
        std::size_t pending;
    };
    const std::vector<Case> cases{
        {"three in one read",
         {"CMD_chat+1+a|clBlack" + T + "CMD_sendlogininfo+2" + T + "CMD_full+" + T},
         {"CMD_chat+1+a|clBlack", "CMD_sendlogininfo+2", "CMD_full+"},
         0},
        {"split across reads",
         {"CMD_logininfo+1+1.", "0.2+An", "n" + T},
         {"CMD_logininfo+1+1.0.2+Ann"},
         0},
        {"tail kept after a complete one",
         {"CMD_a+1" + T + "CMD_b", "+2" + T},
         {"CMD_a+1", "CMD_b+2"},
         0},
        {"empty messages", {T + T + "x" + T}, {"", "", "x"}, 0},
        {"unfinished stays pending", {"CMD_chat+1+"}, {}, 11},
        {"terminator alone in a later read", {"CMD_full+", T}, {"CMD_full+"}, 0},
        {"UTF-8 text passes untouched",
         {"CMD_chat+1+Zo\xc3\xab|clBlack" + T},
         {"CMD_chat+1+Zo\xc3\xab|clBlack"},
         0},
    };
    for (const auto& c : cases) {
        Framer f;
        std::vector<std::string> got;
        for (const auto& r : c.reads)
            for (auto& m : f.feed(r))
                got.push_back(m);
        EXPECT_EQ(got, c.messages) << c.what;
        EXPECT_EQ(f.pendingBytes(), c.pending) << c.what;
        EXPECT_FALSE(f.overflowed()) << c.what;
    }
}

TEST(Framer, RefusesOversizedMessages) {
    const std::string longest(Framer::kMaxMessageBytes, 'a');
    {
        Framer f; // the largest allowed message, in two reads
        EXPECT_TRUE(f.feed(longest).empty());
        EXPECT_EQ(f.feed(T), std::vector<std::string>{longest});
        EXPECT_FALSE(f.overflowed());
    }
    {
        Framer f; // one byte more without a terminator, split over reads
        f.feed(longest.substr(0, 1000));
        f.feed(longest.substr(1000) + "b");
        EXPECT_TRUE(f.overflowed());
        EXPECT_EQ(f.pendingBytes(), 0u);
        EXPECT_TRUE(f.feed("ok" + T).empty()) << "nothing is taken after an overflow";
    }
    {
        Framer f; // an over-long message even when its terminator arrives in the same read
        auto got = f.feed("CMD_x+1" + T + longest + "b" + T);
        EXPECT_EQ(got, std::vector<std::string>{"CMD_x+1"});
        EXPECT_TRUE(f.overflowed());
    }
}

TEST(ReceiveQueue, KeepsArrivalOrderBoundsEachSlotAndDropsClosedSlots) {
    ReceiveQueue q(3);
    EXPECT_TRUE(q.push(1, "a"));
    EXPECT_TRUE(q.push(2, "b"));
    EXPECT_TRUE(q.push(1, "c"));
    EXPECT_TRUE(q.push(1, "d"));
    EXPECT_FALSE(q.push(1, "e")) << "slot 1 is at its bound";
    EXPECT_TRUE(q.push(2, "f")) << "other slots are not affected";
    q.dropSlot(2);
    std::vector<std::string> order;
    while (auto e = q.pop())
        order.push_back(std::to_string(e->slot) + e->text);
    EXPECT_EQ(order, (std::vector<std::string>{"1a", "1c", "1d"}));
    EXPECT_TRUE(q.push(1, "g")) << "popping frees room again";
    EXPECT_EQ(q.waiting(1), 1u);
    EXPECT_EQ(q.waiting(2), 0u);
}

TEST(ReceiveQueue, BusyConnectionsTakeTurnsEachKeepingItsOwnOrder) {
    ReceiveQueue q(100);
    for (int i = 0; i < 5; ++i)
        q.push(1, std::string("f").append(std::to_string(i))); // a flooder's backlog
    auto next = [&] {
        auto e = q.pop();
        return e ? std::to_string(e->slot) + e->text : std::string("-");
    };
    EXPECT_EQ(next(), "1f0");
    q.push(2, "a");
    q.push(3, "b");
    q.push(2, "c");
    // Each newcomer waits behind at most one entry of every other connection.
    std::vector<std::string> order;
    while (!q.empty())
        order.push_back(next());
    EXPECT_EQ(order, (std::vector<std::string>{"1f1", "2a", "3b", "1f2", "2c", "1f3", "1f4"}));
    // Quiet again: plain arrival order.
    q.push(3, "x");
    q.push(1, "y");
    q.push(2, "z");
    std::string quiet = next();
    quiet += next();
    quiet += next();
    EXPECT_EQ(quiet, "3x1y2z");
}

TEST(ReceiveQueue, BoundsTheBytesEachSlotHasWaiting) {
    ReceiveQueue q(10, 6);
    EXPECT_TRUE(q.push(1, "abcd"));
    EXPECT_FALSE(q.push(1, "efg")) << "7 bytes would wait";
    EXPECT_TRUE(q.push(1, "ef")) << "exactly at the bound";
    EXPECT_FALSE(q.push(1, "g"));
    EXPECT_TRUE(q.push(1, "")) << "an empty entry takes no bytes";
    EXPECT_TRUE(q.push(2, "123456")) << "each slot has its own bound";
    EXPECT_FALSE(q.push(3, "1234567")) << "one entry alone past the bound";
    EXPECT_EQ(q.waitingBytes(1), 6u);
    EXPECT_EQ(q.pop()->text, "abcd");
    EXPECT_EQ(q.waitingBytes(1), 2u);
    EXPECT_TRUE(q.push(1, "hijk")) << "popping frees bytes again";
    q.dropSlot(2);
    EXPECT_EQ(q.waitingBytes(2), 0u);
    EXPECT_TRUE(q.push(2, "123456"));

    ReceiveQueue unbounded(2); // without a byte bound only the entry count limits
    EXPECT_TRUE(unbounded.push(0, std::string(1 << 20, 'x')));
    EXPECT_EQ(unbounded.waitingBytes(0), std::size_t(1) << 20);
}

TEST(Dispatch, CommandWordsMatchExactly) {
    using Handler = int;
    constexpr std::array<msg::Route<Handler>, 2> table{
        {{msg::toClient::Full::word, 1}, {msg::toClient::Winner::word, 2}}};
    auto found = [&](std::string_view entry) {
        const Handler* h = msg::findHandler(table, splitEntry(entry).command);
        return h ? *h : 0;
    };
    // An entry without "+" has no command word; "CMD_full+" is the full message.
    EXPECT_EQ(found("CMD_full"), 0);
    EXPECT_EQ(found("CMD_full+"), 1);
    EXPECT_EQ(found("CMD_winner+2+0+"), 2);
    EXPECT_EQ(found("cmd_full+"), 0);
    EXPECT_EQ(found("CMD_fullx+"), 0);
    static_assert(!msg::coversExactly(table, msg::kToHost));
}
