// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/operatorlog.h"

#include <gtest/gtest.h>

#include <functional>

using namespace core;

TEST(OperatorLog, OneLinePerEventAsTextOrJson) {
    struct Case {
        std::function<void(OperatorLog&)> event;
        std::string text, json;
    };
    const std::vector<Case> cases{
        {[](OperatorLog& l) { l.listening(7772); }, "listening on port 7772",
         R"("event":"listening","port":7772})"},
        {[](OperatorLog& l) { l.loggedIn(2, "Bob\x1b"); }, "login: slot 2 Bob\\x1b",
         R"("event":"login","slot":2,"name":"Bob\u001b"})"},
        {[](OperatorLog& l) { l.connectionClosed(2, "Bob", true, CloseReason::Left); },
         "departure: slot 2 Bob (left)",
         R"("event":"departure","slot":2,"name":"Bob","logged_in":true,"reason":"left"})"},
        {[](OperatorLog& l) { l.connectionClosed(3, "", false, CloseReason::LoginDeadline); },
         "departure: slot 3 before login (login deadline)",
         R"("event":"departure","slot":3,"name":"","logged_in":false,"reason":"login deadline"})"},
        {[](OperatorLog& l) { l.heldDropped("127.0.0.7", HeldDrop::PeerGone); },
         "dropped unanswered: 127.0.0.7 (peer gone)",
         R"("event":"held_dropped","address":"127.0.0.7","reason":"peer gone"})"},
        {[](OperatorLog& l) { l.connectionRefused(); }, "connection refused: table full",
         R"("event":"refused","reason":"table full"})"},
        {[](OperatorLog& l) { l.gameStarted("Ann", 3); }, "game started by Ann with 3 seats",
         R"("event":"game_start","by":"Ann","seats":3})"},
        {[](OperatorLog& l) {
             l.gameFinished({{1, "Ann"}, {2, ""}});
         },
         "game over: winners seat 1 Ann, seat 2 (computer)",
         R"("event":"game_over","winners":[{"seat":1,"name":"Ann"},{"seat":2,"name":""}]})"},
        {[](OperatorLog& l) { l.notice("working selected"); }, "working selected",
         R"("event":"notice","text":"working selected"})"},
        {[](OperatorLog& l) { l.shuttingDown(); }, "shutting down", R"("event":"shutdown"})"},
    };
    // 2026-12-07 15:50:01.234 UTC
    const auto when =
        std::chrono::system_clock::time_point(std::chrono::milliseconds(1796658601234));
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        OperatorLog text(LogFormat::Text, [&](const std::string& l) { lines.push_back(l); });
        OperatorLog json(
            LogFormat::Json, [&](const std::string& l) { lines.push_back(l); },
            [when] { return when; });
        c.event(text);
        c.event(json);
        ASSERT_EQ(lines.size(), 2u) << c.text;
        EXPECT_EQ(lines[0], c.text);
        EXPECT_EQ(lines[1], R"({"time":"2026-12-07T15:50:01.234Z",)" + c.json);
    }
    EXPECT_EQ(parseLogFormat("json"), LogFormat::Json);
    EXPECT_EQ(parseLogFormat("JSON"), std::nullopt);
}
