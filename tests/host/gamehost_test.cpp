// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/gamehost.h"
#include "host/seattestdoubles.h"

#include <gtest/gtest.h>

using namespace core;
using seattest::Sent;

namespace {

const std::string T(1, '\xff');

class Seats : public ::testing::Test {
protected:
    seattest::RecordingPort port;
    seattest::RecordingTurns turns;
    HostState state{port};
    GameHost host{state, &turns};

    int accept() { return host.connectionAccepted(); }
    // One message from a slot, handled at once.
    void from(int slot, const std::string& text) {
        host.bytesReceived(slot, text + T);
        while (host.processNext()) {
        }
    }
    void login(int slot, const std::string& name, const std::string& version = "1.0.2") {
        from(slot, "CMD_logininfo+" + std::to_string(slot) + "+" + version + "+" + name);
    }
    // Accepts and logs in players in slots 1, 2, ... and forgets what was sent.
    void seat(std::initializer_list<const char*> names) {
        for (auto name : names)
            login(accept(), name);
        port.take();
    }
};

} // namespace

TEST_F(Seats, FirstClientGetsSlotOneAndOnlyItsOwnAnnouncement) {
    EXPECT_EQ(accept(), 1);
    EXPECT_EQ(port.take(), (std::vector<Sent>{{1, "CMD_sendlogininfo+1"}}));
    login(1, "Ann");
    EXPECT_EQ(port.take(), (std::vector<Sent>{{1, "CMD_newplayerinfo+1+Ann+0"}}));
    EXPECT_TRUE(host.loggedIn(1));
}

TEST_F(Seats, LaterClientLoginOrderWithWrongVersion) {
    seat({"Ann", "Bob"});
    state.slot(2).justwatch = true;
    EXPECT_EQ(accept(), 3); // connected, not logged in yet: listed with an empty name
    EXPECT_EQ(accept(), 4);
    port.take();
    login(4, "Dee", "1.0.1");
    EXPECT_EQ(port.take(), (std::vector<Sent>{
                               {1, "CMD_newplayerinfo+4+Dee+0"},
                               {2, "CMD_newplayerinfo+4+Dee+0"},
                               {3, "CMD_newplayerinfo+4+Dee+0"},
                               {4, "CMD_newplayerinfo+4+Dee+0"},
                               {4, "CMD_existingplayers+1+Ann+0+2+Bob+1+3++0"},
                               {1, "CMD_havewrongversion+Dee"},
                               {4, "CMD_wrongversion+"},
                           }));
    EXPECT_TRUE(state.slot(4).connected) << "a wrong version is not refused";
}

TEST_F(Seats, LoginNamesAreCleanedStoredInTheOwnSlotAndMayBeRepeated) {
    seat({"Ann"});
    accept();
    port.take();
    // Claims slot 1 and a name with both separators: lands in slot 2, name kept whole.
    // Control characters (an ANSI escape, NUL, DEL) would reach every screen and log.
    from(2, std::string("CMD_logininfo+1+1.0.2+Bo+b|x\x1b[31m\t") + '\0' + "\x7f\xe9");
    EXPECT_EQ(state.slot(1).name, "Ann");
    EXPECT_EQ(state.slot(2).name, "Bo-b-x-[31m---\xe9");
    EXPECT_EQ(port.take()[0], (Sent{1, "CMD_newplayerinfo+2+Bo-b-x-[31m---\xe9+0"}));
    login(2, "Bobby"); // a second login renames and announces again
    EXPECT_EQ(state.slot(2).name, "Bobby");
    EXPECT_EQ(port.take(), (std::vector<Sent>{{1, "CMD_newplayerinfo+2+Bobby+0"},
                                              {2, "CMD_newplayerinfo+2+Bobby+0"},
                                              {2, "CMD_existingplayers+1+Ann+0"}}));
    from(2, "CMD_logininfo+x+1.0.2+Eve"); // a slot field that does not convert: ignored
    EXPECT_TRUE(port.take().empty());
}

TEST_F(Seats, SlotsAreReusedLowestFirstAndTheTenthIsRefused) {
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(accept(), n);
    host.connectionClosed(2);
    EXPECT_EQ(accept(), 2);
    EXPECT_EQ(accept(), 5);
    for (int n = 6; n <= 9; ++n)
        EXPECT_EQ(accept(), n);
    port.take();
    EXPECT_EQ(accept(), GameHost::kRefusedSlot);
    EXPECT_EQ(port.take(), (std::vector<Sent>{{10, "CMD_full+"}}));
    EXPECT_EQ(port.closed, std::vector<int>{10});
    EXPECT_EQ(state.slotcount, 9);
    host.connectionClosed(10); // the refused connection's close changes nothing
    EXPECT_TRUE(port.take().empty());
    host.connectionClosed(7);
    EXPECT_EQ(accept(), 7) << "a freed spectator slot is taken again";
}

TEST_F(Seats, LateJoinerGetsTheGameState) {
    seat({"Ann", "Bob", "Cy"});
    auto& turn = state.turn;
    turn.gamerunning = true;
    turn.currentseat = 3;
    turn.round = 4;
    turn.bonuslimit = 2;
    turn.dice = {0, 6, 6, 2, 0, 1};
    state.slot(3).rolls = 2;
    state.slot(3).workingcat = 6;
    for (int s = 1; s <= 3; ++s) {
        state.slot(s).ingame = true;
        state.slot(s).scores = {-1, 3, 0, 9, -1, -1, -1, -1};
        state.slot(s).total = 12;
    }
    state.slot(4).ingame = true; // left by an earlier player; its scores stay
    state.slot(4).scores = {-1, 2, -1, -1, -1, -1, -1, -1};
    state.slot(4).total = 2;
    accept(); // slot 4
    port.take();
    login(4, "Dee");
    auto sent = port.take();
    ASSERT_EQ(sent.size(), 7u);
    EXPECT_EQ(sent[5], (Sent{4, "CMD_loadstats+4+3+2+2+4+6+1+6+2+6+3+2+4+0+5+1"}));
    EXPECT_EQ(sent[6], (Sent{4, "CMD_loadscores+4"
                                "+1*t*1*3*2*0*3*9*4*-1*5*-1*6*-1*7*-1*8*12"
                                "+2*t*1*3*2*0*3*9*4*-1*5*-1*6*-1*7*-1*8*12"
                                "+3*t*1*3*2*0*3*9*4*-1*5*-1*6*-1*7*-1*8*12"
                                "+4*t*1*2*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*2"
                                "+5*f*1*-1*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*0"
                                "+6*f*1*-1*2*-1*3*-1*4*-1*5*-1*6*-1*7*-1*8*0"}));
}

TEST_F(Seats, KicksObeyOnlyTheHostingPlayerInItsOwnName) {
    seat({"Ann", "Bob", "Cy"});
    struct Case {
        int from;
        const char* message;
        bool closes;
    };
    const std::vector<Case> cases{
        {2, "CMD_kickhim+2+3+", false}, // not the hosting player
        {2, "CMD_kickhim+1+3+", false}, // claims to be the hosting player
        {1, "CMD_kickhim+1+0+", false}, // targets outside 1..9
        {1, "CMD_kickhim+1+10+", false}, {1, "CMD_kickhim+1+-1+", false},
        {1, "CMD_kickhim+1+x+", false},  {1, "CMD_kickhim+1+8+", false}, // nobody there
        {1, "CMD_kickhim+1+3+", true},
    };
    for (const auto& c : cases) {
        port.closed.clear();
        from(c.from, c.message);
        EXPECT_EQ(port.closed, c.closes ? std::vector<int>{3} : std::vector<int>{}) << c.message;
    }
    EXPECT_TRUE(port.take().empty()) << "a kick sends nothing until the close is reported";
}

TEST_F(Seats, DepartureIsAnnouncedOnceAndKeepsTheGameFields) {
    seat({"Ann", "Bob", "Cy"});
    state.slot(2).justwatch = true;
    state.slot(2).total = 17;
    turns.calls.clear();
    host.connectionClosed(2);
    host.connectionClosed(2);
    EXPECT_EQ(port.take(), (std::vector<Sent>{{1, "CMD_playerdisconnected+2+Bob"},
                                              {3, "CMD_playerdisconnected+2+Bob"}}));
    EXPECT_EQ(turns.calls, std::vector<std::string>{"vacated 2"});
    EXPECT_FALSE(state.slot(2).connected);
    EXPECT_EQ(state.slot(2).name, "");
    EXPECT_FALSE(state.slot(2).justwatch);
    EXPECT_EQ(state.slot(2).total, 17);
    // A broadcast skips the free slot and still reaches the higher one.
    from(1, "CMD_chat+1+hi|clBlack");
    EXPECT_EQ(port.take(), (std::vector<Sent>{{1, "CMD_chat+1+Ann chats: hi|clBlack"},
                                              {3, "CMD_chat+1+Ann chats: hi|clBlack"}}));
}

TEST_F(Seats, JustWatchWithAndWithoutAGame) {
    seat({"Ann", "Bob", "Cy", "Dee", "Eve", "Fay", "Spy"});
    turns.calls.clear();
    auto everyone = [](const std::string& text) {
        std::vector<Sent> out;
        for (int n = 1; n <= 7; ++n)
            out.push_back({n, text});
        return out;
    };
    struct Case {
        bool game;
        int from;
        const char* message;
        const char* broadcast; // nullptr: nothing sent
        const char* turnCall;
    };
    const std::vector<Case> cases{
        {false, 3, "CMD_justwatch+3+1", nullptr, nullptr},
        {false, 3, "CMD_justwatch+3+2", "CMD_justwatching+3+2", nullptr},
        {true, 3, "CMD_justwatch+3+1", "CMD_justwatching+3+1", "justwatch 3"},
        {true, 3, "CMD_justwatch+3+2", "CMD_justwatching+3+2", nullptr},
        {true, 3, "CMD_justwatch+4+1", nullptr, nullptr}, // another's seat, not the host
        {true, 1, "CMD_justwatch+4+1", "CMD_justwatching+4+1", "justwatch 4"},
        {true, 7, "CMD_justwatch+7+1", nullptr, nullptr}, // spectators have no seat
        {true, 1, "CMD_justwatch+0+1", nullptr, nullptr},
        {true, 3, "CMD_justwatch+3+3", nullptr, nullptr},
        {true, 3, "CMD_justwatch+3+x", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        state.turn.gamerunning = c.game;
        turns.calls.clear();
        from(c.from, c.message);
        EXPECT_EQ(port.take(), c.broadcast ? everyone(c.broadcast) : std::vector<Sent>{})
            << c.message;
        EXPECT_EQ(turns.calls,
                  c.turnCall ? std::vector<std::string>{c.turnCall} : std::vector<std::string>{})
            << c.message;
    }
    EXPECT_TRUE(state.slot(4).justwatch);
    EXPECT_FALSE(state.slot(3).justwatch);

    // A vacant seat handed to the computer is played by whoever sits down in it next, from
    // the login on.
    state.turn.gamerunning = true;
    host.connectionClosed(5);
    from(1, "CMD_justwatch+5+1");
    EXPECT_TRUE(state.slot(5).justwatch);
    EXPECT_EQ(accept(), 5);
    EXPECT_FALSE(state.slot(5).justwatch);
    EXPECT_TRUE(state.isComputerPlayed(5));
    login(5, "Gus");
    EXPECT_FALSE(state.isComputerPlayed(5));
}

TEST_F(Seats, RelaysAndSpoofedRequests) {
    seat({"Ann", "Bob", "Cy"});
    turns.calls.clear();
    struct Case {
        int from;
        const char* message;
        const char* relayed;  // to all three, nullptr: nothing sent
        const char* turnCall; // handed to the turn engine
    };
    const std::vector<Case> cases{
        {2, "CMD_chat+2+hi+you|clBlack", "CMD_chat+2+Bob chats: hi+you|clBlack", nullptr},
        {2, "CMD_action+2+waves|$00FF0000", "CMD_action+2+Bob waves|$00FF0000", nullptr},
        {2, "CMD_playasound+2+wave5+", "CMD_playasound+2+wave5+", nullptr},
        {3, "CMD_rollthedice+3+1+2", nullptr, "rollthedice 3+1+2"},
        {3, "CMD_selectcat+3+5+", nullptr, "selectcat 3+5+"},
        {1, "CMD_startgame+Ann+2+", nullptr, "startgame Ann+2+"},
        // Somebody else's slot or seat, or a request only the hosting player may make.
        {3, "CMD_chat+2+I am Bob|clBlack", nullptr, nullptr},
        {3, "CMD_action+1+says: hi|clBlack", nullptr, nullptr},
        {3, "CMD_playasound+2+wave5+", nullptr, nullptr},
        {3, "CMD_rollthedice+2+1+2", nullptr, nullptr},
        {3, "CMD_selectcat+2+5+", nullptr, nullptr},
        {3, "CMD_startgame+Cy+0+", nullptr, nullptr},
        // Fields that do not convert, unknown and empty words.
        {3, "CMD_chat+x+hi|clBlack", nullptr, nullptr},
        {3, "CMD_rollthedice+three+1", nullptr, nullptr},
        {3, "CMD_CHAT+3+hi|clBlack", nullptr, nullptr},
        {3, "CMD_full+", nullptr, nullptr},
        {3, "CMD_chat", nullptr, nullptr},
        {3, "", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        turns.calls.clear();
        from(c.from, c.message);
        std::vector<Sent> expected;
        if (c.relayed)
            for (int n = 1; n <= 3; ++n)
                expected.push_back({n, c.relayed});
        EXPECT_EQ(port.take(), expected) << c.message;
        EXPECT_EQ(turns.calls,
                  c.turnCall ? std::vector<std::string>{c.turnCall} : std::vector<std::string>{})
            << c.message;
    }
}

TEST_F(Seats, QueueHandlesOneEntryPerTickConnectionsTakingTurns) {
    seat({"Ann", "Bob"});
    host.bytesReceived(2, "CMD_chat+2+a|c" + T + "CMD_chat+2+b|c" + T + "CMD_chat+2+");
    host.bytesReceived(1, "CMD_chat+1+d|c" + T);
    host.bytesReceived(2, "c|c" + T);
    auto relayedOnNextTick = [&] {
        port.take();
        EXPECT_TRUE(host.processNext());
        auto sent = port.take();
        return sent.empty() ? std::string() : sent[0].text;
    };
    // Ann's line waits behind one of Bob's, not behind all of them.
    EXPECT_EQ(relayedOnNextTick(), "CMD_chat+2+Bob chats: a|c");
    EXPECT_EQ(relayedOnNextTick(), "CMD_chat+1+Ann chats: d|c");
    EXPECT_EQ(relayedOnNextTick(), "CMD_chat+2+Bob chats: b|c");
    EXPECT_EQ(relayedOnNextTick(), "CMD_chat+2+Bob chats: c|c");
    EXPECT_FALSE(host.processNext());
    host.timer1Tick();
    EXPECT_EQ(turns.calls.back(), "timer1");
}

TEST_F(Seats, MemoryBoundsCloseTheFlooder) {
    seat({"Ann", "Bob", "Cy"});
    // An unfinished message past 64 KiB.
    EXPECT_FALSE(host.bytesReceived(2, std::string(64 * 1024 + 1, 'x')));
    EXPECT_EQ(port.closed, std::vector<int>{2});
    EXPECT_FALSE(host.bytesReceived(2, "CMD_chat+2+late|c" + T)) << "ignored after refusal";
    host.connectionClosed(2);
    EXPECT_EQ(port.take(), (std::vector<Sent>{{1, "CMD_playerdisconnected+2+Bob"},
                                              {3, "CMD_playerdisconnected+2+Bob"}}));

    // More than 256 entries waiting: the connection is closed and its entries are dropped.
    port.closed.clear();
    std::string flood;
    for (int i = 0; i < 300; ++i)
        flood += "CMD_chat+3+spam|c" + T;
    host.bytesReceived(1, "CMD_chat+1+mine|c" + T);
    EXPECT_FALSE(host.bytesReceived(3, flood));
    EXPECT_EQ(port.closed, std::vector<int>{3});
    EXPECT_EQ(host.pendingFor(3), 0u);
    EXPECT_EQ(host.pendingFor(1), 1u) << "others' entries stay";

    // 256 waiting is still fine.
    host.connectionClosed(3);
    EXPECT_EQ(accept(), 2);
    std::string most;
    for (int i = 0; i < 256; ++i)
        most += "CMD_chat+2+ok|c" + T;
    EXPECT_TRUE(host.bytesReceived(2, most));

    // Few entries but many bytes: 4 MiB waiting is the most one connection may hold.
    while (host.processNext()) {
    }
    port.closed.clear();
    const std::string big = "CMD_chat+2+" + std::string(60000, 'b') + "|c" + T;
    std::size_t sent = 0;
    while (host.bytesReceived(2, big))
        sent += big.size() - 1;
    EXPECT_LE(sent, GameHost::kMaxWaitingBytesPerSlot);
    EXPECT_GT(sent + big.size(), GameHost::kMaxWaitingBytesPerSlot);
    EXPECT_EQ(port.closed, std::vector<int>{2});
    EXPECT_EQ(host.pendingFor(2), 0u);
}

TEST_F(Seats, RelayFloodIsDroppedPastTheBurstAndRefills) {
    std::int64_t now = 1000;
    host.setClock([&now] { return now; });
    seat({"Ann", "Bob"});
    auto relayedTo1 = [&] {
        int n = 0;
        for (const auto& s : port.take())
            n += s.slot == 1;
        return n;
    };
    for (int i = 0; i < 15; ++i)
        from(2, "CMD_chat+2+spam|c");
    from(2, "CMD_playasound+2+wave1+"); // sounds and actions share the allowance
    from(1, "CMD_chat+1+hello|c");
    EXPECT_EQ(relayedTo1(), RelayLimiter::kBurst + 1) << "Bob's burst and Ann's line";
    EXPECT_EQ(host.relayLimiter().dropped(2), 6u);
    now += 1000; // a second later a few more go through
    for (int i = 0; i < 10; ++i)
        from(2, "CMD_action+2+waves|c");
    EXPECT_EQ(relayedTo1(), RelayLimiter::kPerSecond);
    from(2, "CMD_rollthedice+2+0");
    EXPECT_EQ(turns.calls.back(), "rollthedice 2+0") << "game requests are never limited";
    host.connectionClosed(2);
    EXPECT_EQ(accept(), 2);
    login(2, "Cy");
    port.take();
    from(2, "CMD_chat+2+fresh|c");
    EXPECT_EQ(relayedTo1(), 1) << "a new connection starts with a full allowance";
}

TEST_F(Seats, LoginDeadlineClosesOnlyConnectionsThatHaveNotLoggedIn) {
    seat({"Ann"});
    accept();
    host.loginTimedOut(1);
    EXPECT_TRUE(port.closed.empty());
    host.loginTimedOut(2);
    EXPECT_EQ(port.closed, std::vector<int>{2});
    host.loginTimedOut(5); // no connection there
    EXPECT_EQ(port.closed, std::vector<int>{2});
}

// Watchers hear each connection's end once, with the reason the host closed it for.
TEST_F(Seats, DeparturesAreToldWithTheirReason) {
    struct Watcher : HostEvents {
        std::vector<std::string> told;
        void loggedIn(int slot, const std::string& name) override {
            told.push_back("login " + std::to_string(slot) + " " + name);
        }
        void connectionClosed(int slot, const std::string& name, bool in,
                              CloseReason reason) override {
            told.push_back(std::to_string(slot) + " " + name + (in ? " in " : " out ") +
                           std::string(closeReasonText(reason)));
        }
        void connectionRefused() override { told.push_back("refused"); }
    } watcher;
    state.addWatcher(&watcher);
    seat({"Ann", "Bob", "Cy", "Di", "Ed"});
    accept();
    host.bytesReceived(2, std::string(64 * 1024 + 1, 'x'));
    std::string flood;
    for (int i = 0; i < 300; ++i)
        flood += "CMD_chat+3+spam|c" + T;
    host.bytesReceived(3, flood);
    from(1, "CMD_kickhim+1+4");
    host.closingFor(5, CloseReason::UnsentOutput);
    host.loginTimedOut(6);
    for (int slot : {2, 3, 4, 5, 6, 1, 1})
        host.connectionClosed(slot);
    for (int i = 0; i < 10; ++i) // the tenth is refused
        accept();
    host.closeAll(CloseReason::Shutdown);
    host.connectionClosed(9);
    EXPECT_EQ(watcher.told, (std::vector<std::string>{
                                "login 1 Ann", "login 2 Bob", "login 3 Cy", "login 4 Di",
                                "login 5 Ed", "2 Bob in unterminated message", "3 Cy in queue",
                                "4 Di in kicked", "5 Ed in unsent output", "6  out login deadline",
                                "1 Ann in left", "refused", "9  out shutdown"}));
    EXPECT_EQ(port.closed, (std::vector<int>{2, 3, 4, 6, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// With every slot taken, the connection silent longest past the grace makes room; nobody
// younger, nobody logged in, and nobody already being closed.
TEST_F(Seats, AFullTableMakesRoomByClosingTheLongestSilentConnection) {
    std::int64_t now = 0;
    host.setClock([&now] { return now; });
    seat({"Ann"});
    for (int n = 2; n <= 9; ++n) {
        now += 100;
        accept();
    }
    host.connectionClosed(2); // its successor in slot 2 is the youngest
    now += 100;
    EXPECT_EQ(accept(), 2);
    EXPECT_FALSE(host.hasRoom());
    now = 200 + GameHost::kRoomGraceMs - 1; // slot 3, the oldest, is just short of it
    EXPECT_FALSE(host.makeRoom());
    now += 1;
    EXPECT_TRUE(host.makeRoom());
    EXPECT_FALSE(host.makeRoom()) << "slot 4 is too young, slot 3 already goes";
    EXPECT_EQ(port.closed, (std::vector<int>{3}));
    host.connectionClosed(3);
    EXPECT_TRUE(host.hasRoom());
    EXPECT_EQ(accept(), 3);
    for (int n = 2; n <= 9; ++n)
        login(n, std::string("P").append(std::to_string(n)));
    now += 3600 * 1000;
    EXPECT_FALSE(host.makeRoom());
    EXPECT_EQ(port.closed, (std::vector<int>{3}));
}

TEST_F(Seats, ShutDownSaysGoodbyeInTheTablesOwnLineAndClosesEveryone) {
    for (bool running : {false, true}) {
        seat({"Ann", "Bob"});
        state.turn.gamerunning = running;
        port.armedMs = 500;
        host.shutDown();
        const std::string line =
            running ? "CMD_chat+0+The host is shutting down. The game ends here.|clBlue"
                    : "CMD_chat+0+The host is shutting down.|clBlue";
        EXPECT_EQ(port.take(), (std::vector<Sent>{{1, line}, {2, line}}));
        EXPECT_EQ(port.closed, (std::vector<int>{1, 2}));
        EXPECT_EQ(port.armedMs, -1);
        host.connectionClosed(1);
        host.connectionClosed(2);
        port.take();
        port.closed.clear();
    }
}

TEST(SeatsWithoutEngine, GameRequestsAreIgnored) {
    seattest::RecordingPort port;
    HostState state{port};
    GameHost host{state, nullptr};
    host.connectionAccepted();
    host.bytesReceived(1, "CMD_startgame+A+0+" + T + "CMD_rollthedice+1+0" + T);
    while (host.processNext()) {
    }
    host.timer1Tick();
    host.connectionClosed(1);
    EXPECT_EQ(port.sent.size(), 1u); // only the login request
}
