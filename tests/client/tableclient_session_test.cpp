// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, login, presence and the seat menu of the table client.
#include "client/fakeclientport.h"
#include "client/tableclient.h"

#include <gtest/gtest.h>

using core::TableClient;
using test::FakeClientPort;
using Events = std::vector<std::string>;

namespace {

struct ParamCase {
    std::vector<std::string> params;
    Events expected; // every recorded event, in order
    bool hosting;
};

TEST(ClientCommandLine, SoloHostJoinAndShortForms) {
    const ParamCase cases[] = {
        {{},
         {"startmenu:off", "chat:0+Loading Solo Game..Please wait.", "lobby", "listen",
          "connect:127.0.0.1:7772", "startmenu:on", "spyremove:on"},
         true},
        {{"Ann", "10.0.0.5", "true"},
         {"startmenu:off", "chat:0+Loading Multi-player Game.. Please Wait.", "listen",
          "connect:127.0.0.1:7772", "startmenu:on", "spyremove:on", "companion:127.0.0.1:9001"},
         true},
        {{"Ann", "10.0.0.5", "True"},
         {"startmenu:off", "chat:0+Loading Multi-player Game.. Please Wait.",
          "connect:10.0.0.5:7772", "companion:127.0.0.1:9001"},
         false},
        {{"Ann", "10.0.0.5", "false", "extra"},
         {"startmenu:off", "chat:0+Loading Multi-player Game.. Please Wait.",
          "connect:10.0.0.5:7772", "companion:127.0.0.1:9001"},
         false},
        {{"Ann", "10.0.0.5"},
         {"startmenu:off", "chat:0+Loading Multi-player Game.. Please Wait."},
         false},
        {{"Ann"}, {"startmenu:off", "chat:0+Loading Multi-player Game.. Please Wait."}, false},
        // The terminator byte in the name would split the login: refused before connecting.
        {{"An\xffn", "10.0.0.5", "true"},
         {"startmenu:off", "chat:0+Loading Multi-player Game.. Please Wait.",
          "box:The player name contains the byte 0xFF, which ends every message to the game "
          "host. Please start the game with another name."},
         false},
    };
    for (const auto& c : cases) {
        FakeClientPort port;
        TableClient client(port);
        client.processparams(c.params);
        EXPECT_EQ(port.events, c.expected) << "params: " << c.params.size();
        EXPECT_EQ(client.hosting(), c.hosting);
        EXPECT_EQ(client.board().startVisible, c.hosting);
        EXPECT_EQ(client.startGameEnabled(), c.hosting);
    }
}

TEST(ClientCommandLine, SoloPlaysAsYouAndLogsInWithTheVersion) {
    FakeClientPort port;
    TableClient client(port);
    client.processparams({});
    EXPECT_EQ(client.playername(), "You");
    EXPECT_EQ(client.hostaddress(), "127.0.0.1");
    port.clear();
    client.handleMessage("CMD_sendlogininfo+1");
    EXPECT_EQ(port.events, (Events{"send:CMD_canholdseat+1+", "send:CMD_logininfo+1+1.0.2+You"}));
    EXPECT_TRUE(client.loggedin());
    EXPECT_EQ(client.myslot(), 1);
}

TEST(ClientLogin, NameWithPlusIsSentWhole) {
    FakeClientPort port;
    TableClient client(port);
    client.processparams({"A+B", "10.0.0.5", "no"});
    port.clear();
    client.handleMessage("CMD_sendlogininfo+4");
    EXPECT_EQ(port.events, (Events{"send:CMD_canholdseat+4+", "send:CMD_logininfo+4+1.0.2+A+B"}));
}

// A joined client logged in at the given slot, events cleared.
struct Joined {
    FakeClientPort port;
    TableClient client{port};
    explicit Joined(int slot, bool host = false) {
        client.processparams({"Me", "10.0.0.5", host ? "true" : "x"});
        client.handleMessage("CMD_sendlogininfo+" + std::to_string(slot));
        port.clear();
    }
};

// Closing the window on purpose tells a host that gave us a token not to hold the seat; with
// no token (an older host, no game) nothing new is sent.
TEST(ClientLeaving, GoodbyeOnlyWithASeatToken) {
    Joined j(3);
    j.client.handleMessage("CMD_newplayerinfo+3+Me+0");
    j.port.clear();
    j.client.windowClosing();
    EXPECT_TRUE(j.port.with("send:").empty());
    j.client.handleMessage("CMD_seattoken+3+120+00112233445566778899aabbccddeeff");
    j.port.clear();
    j.client.windowClosing();
    EXPECT_EQ(j.port.with("send:"), (Events{"send:CMD_leaving+3+"}));
    EXPECT_FALSE(j.client.holdsSeatToken());
}

TEST(ClientPresence, ArrivalsLinesLabelsMarksAndOneSound) {
    Joined j(3);
    j.client.handleMessage("CMD_newplayerinfo+3+Me+0");
    j.client.handleMessage("CMD_existingplayers+1+Ann+0+2+Bob+1+7+Eve+0");
    EXPECT_EQ(j.port.events, (Events{"chat:0+You are Connected.", "loadsettings", "sound:entered",
                                     "chat:0+Ann is Connected.", "chat:0+Bob is Connected.",
                                     "chat:0+Eve is Connected.", "spy+:7: Eve",
                                     "chat:0+Eve is spying.", "sound:entered"}));
    const auto& b = j.client.board();
    EXPECT_EQ(b.seat(1).label, "Ann");
    EXPECT_EQ(b.seat(2).label, "Bob");
    EXPECT_EQ(b.seat(3).label, "Me");
    EXPECT_EQ(b.seat(4).label, "<Waiting>");
    EXPECT_FALSE(b.seat(1).eyes);
    EXPECT_TRUE(b.seat(2).eyes);
    EXPECT_EQ(j.client.spectators(), (std::vector<core::Spectator>{{7, "Eve"}}));
}

TEST(ClientPresence, OwnSpectatorArrival) {
    Joined j(8);
    j.client.handleMessage("CMD_newplayerinfo+8+Me+0");
    EXPECT_EQ(j.port.events, (Events{"chat:0+You are Connected.", "loadsettings", "spy+:8: Me",
                                     "chat:0+You are spying.", "sound:entered"}));
}

TEST(ClientPresence, SpectatorListStaysOneEntryPerSlot) {
    Joined j(1);
    for (int i = 0; i < 50; ++i)
        j.client.handleMessage("CMD_newplayerinfo+8+Eve+0");
    j.client.handleMessage("CMD_newplayerinfo+8+Fay+0");
    j.client.handleMessage("CMD_newplayerinfo+12+Gus+0"); // not a slot the host hands out
    j.client.handleMessage("CMD_newplayerinfo+2147483647+Hal+0");
    EXPECT_EQ(j.client.spectators(), (std::vector<core::Spectator>{{8, "Fay"}}));
    EXPECT_TRUE(j.port.has("spy-:8: Eve"));
    EXPECT_TRUE(j.port.with("chat:0+Gus").empty());
}

TEST(ClientPresence, Departures) {
    Joined j(1);
    j.client.handleMessage("CMD_existingplayers+2+Bob+1+4+Dan+0+9+Eve+0");
    j.port.clear();

    j.client.handleMessage("CMD_playerdisconnected+2+Bob");
    j.client.handleMessage("CMD_playerdisconnected+4+Dan");
    EXPECT_EQ(j.port.events, (Events{"chat:0+Bob disconnected.", "chat:0+Dan disconnected."}));
    const auto& b = j.client.board();
    EXPECT_EQ(b.seat(2).label, "Vosk");
    EXPECT_FALSE(b.seat(2).eyes);
    EXPECT_FALSE(b.seat(2).notPlaying);
    EXPECT_EQ(b.seat(4).label, "<Waiting>");
    EXPECT_TRUE(b.seat(4).notPlaying);

    // An empty seat leaving again (the computer's "Vosk", or "<Waiting>") writes nothing.
    j.port.clear();
    j.client.handleMessage("CMD_playerdisconnected+2+Bob");
    j.client.handleMessage("CMD_playerdisconnected+5+Zed");
    EXPECT_TRUE(j.port.with("chat:").empty());

    // A held seat freed during the game is said; one freed as the game ends only shows empty.
    j.client.handleMessage("CMD_seatheld+4+Dan");
    j.client.handleMessage("CMD_seatfreed+4+Dan");
    EXPECT_EQ(j.port.with("chat:").back(),
              "chat:0+Dan did not come back; the computer plays the seat.");
    j.client.handleMessage("CMD_seatheld+4+Dan");
    j.client.handleMessage("CMD_winner+2+0+");
    j.port.clear();
    j.client.handleMessage("CMD_seatfreed+4+Dan");
    EXPECT_TRUE(j.port.with("chat:").empty());
    EXPECT_EQ(b.seat(4).label, "<Waiting>");
    j.port.clear();

    // Spectators: only an entry the list holds is removed.
    j.client.handleMessage("CMD_playerdisconnected+9+Nobody");
    j.client.handleMessage("CMD_playerdisconnected+8+Eve");
    EXPECT_TRUE(j.port.events.empty());
    j.client.handleMessage("CMD_playerdisconnected+9+Eve");
    EXPECT_EQ(j.port.events, (Events{"chat:0+Eve has left.", "spy-:9: Eve"}));
    EXPECT_TRUE(j.client.spectators().empty());
}

TEST(ClientPresence, JustWatchingMarksAndOwnMenuCheck) {
    Joined j(2);
    j.client.handleMessage("CMD_existingplayers+1+Ann+0+2+Me+0");
    j.port.clear();
    j.client.handleMessage("CMD_justwatching+2+1");
    j.client.handleMessage("CMD_justwatching+1+1");
    EXPECT_EQ(j.port.events, (Events{"justwatch:on", "chat:0+Me is just watching",
                                     "chat:0+Ann is just watching"}));
    EXPECT_TRUE(j.client.board().seat(1).eyes);
    EXPECT_TRUE(j.client.justWatchChecked());

    j.port.clear();
    j.client.JustWatch1Click(); // checked: ask to play again
    j.client.handleMessage("CMD_justwatching+2+2");
    j.client.handleMessage("CMD_justwatching+8+1"); // a spectator slot is ignored
    EXPECT_EQ(j.port.events, (Events{"send:CMD_justwatch+2+2", "justwatch:off",
                                     "chat:0+Me is now playing again"}));
    EXPECT_FALSE(j.client.board().seat(2).eyes);
}

TEST(ClientPresence, VersionLinesAndFullGame) {
    Joined j(1);
    j.client.handleMessage("CMD_havewrongversion+Bob");
    j.client.handleMessage("CMD_wrongversion+");
    j.client.handleMessage("CMD_full"); // no "+": not a message
    j.client.handleMessage("CMD_full+");
    j.client.sockInfo("Non-Blocking Socket Connected");
    j.client.sockInfo("Socket Closed");
    EXPECT_EQ(j.port.events,
              (Events{"chat:0+Bob has a different version of the game then you.",
                      "chat:0+You have a differnt version of the game then the host.",
                      "box:Game is full", "close", "close"}));

    Joined k(2); // the host goes away: the player is told before the window closes
    k.client.sockInfo("Socket Closed");
    k.client.sockInfo("Socket Closed");
    EXPECT_EQ(k.port.events,
              (Events{"box:The connection to the game host was closed.", "close", "close"}));
}

TEST(ClientSeatMenu, EnabledStatesAndActions) {
    struct Case {
        bool host;
        int seat;
        bool remove, set, unset;
    };
    const Case cases[] = {
        {true, 3, false, true, true},                              // "<Waiting>"
        {true, 1, true, true, true},  {true, 2, true, true, true}, // Vosk
        {false, 1, true, true, true}, {false, 3, false, false, false},
    };
    for (const auto& c : cases) {
        Joined j(c.host || c.seat == 1 ? 1 : 2, c.host);
        j.client.handleMessage("CMD_existingplayers+1+Me+0");
        j.client.handleMessage("CMD_playerdisconnected+2+x"); // seat 2 now shows Vosk
        auto menu = j.client.label_playernameMouseUp(c.seat);
        EXPECT_EQ(menu.seat, c.seat);
        EXPECT_EQ(menu.removeEnabled, c.remove) << c.host << c.seat;
        EXPECT_EQ(menu.setJustWatchEnabled, c.set);
        EXPECT_EQ(menu.unsetJustWatchEnabled, c.unset);
    }

    Joined host(1, true);
    host.client.label_playernameMouseUp(4);
    host.client.SettoJustWatch1Click();
    host.client.UnsetJustWatch1Click();
    host.client.RemoveFromGame1Click();
    host.client.kicking(8); // from the spectator list
    EXPECT_EQ(host.port.events, (Events{"send:CMD_justwatch+4+1", "send:CMD_justwatch+4+2",
                                        "send:CMD_kickhim+1+4+", "send:CMD_kickhim+1+8+"}));

    Joined guest(3);
    guest.client.kicking(4);
    EXPECT_TRUE(guest.port.events.empty());
}

// The first player at a dedicated host joins and is given slot 1: the host takes its start.
TEST(ClientSession, JoiningCopyAtSlotOneLeadsTheTable) {
    FakeClientPort port;
    TableClient client(port);
    client.processparams({"Ann", "10.0.0.5", "false"});
    port.clear();
    client.handleMessage("CMD_sendlogininfo+1");
    EXPECT_EQ(port.events, (Events{"send:CMD_canholdseat+1+", "startmenu:on", "spyremove:on",
                                   "send:CMD_logininfo+1+1.0.2+Ann"}));
    EXPECT_TRUE(client.board().startVisible);
    client.handleMessage("CMD_winner+1+0+");
    EXPECT_TRUE(client.board().startVisible) << "Start comes back after a game";
    port.clear();
    client.button_startClick();
    client.sendStartGame(3);
    client.kicking(8);
    EXPECT_EQ(port.events,
              (Events{"options", "send:CMD_startgame+Ann+3+", "send:CMD_kickhim+1+8+"}));

    Joined second(2);
    EXPECT_FALSE(second.client.board().startVisible);
    EXPECT_FALSE(second.client.startGameEnabled());
    second.client.handleMessage("CMD_winner+1+0+");
    EXPECT_FALSE(second.client.board().startVisible);
}

TEST(ClientRequests, NothingIsSentBeforeLogin) {
    FakeClientPort port;
    TableClient client(port);
    client.processparams({"Me", "h", "true"});
    port.clear();
    client.JustWatch1Click();
    client.kicking(3);
    client.label_playernameMouseUp(3);
    client.SettoJustWatch1Click();
    client.button_startClick();
    client.sendStartGame(2);
    EXPECT_EQ(port.events, Events{"box:You are not connected"});
}

TEST(ClientRequests, SpectatorHasNoJustWatch) {
    Joined j(7);
    j.client.JustWatch1Click();
    EXPECT_TRUE(j.port.events.empty());
}

TEST(ClientDispatch, MalformedAndUnknownEntriesAreHarmless) {
    Joined j(1);
    const char* junk[] = {"",
                          "receivedlist",
                          "CMD_nosuch+1",
                          "CMD_newplayerinfo+x+y",
                          "CMD_createdice+",
                          "CMD_createdice+1",
                          "CMD_gotbonus+1+2",
                          "CMD_winner+",
                          "CMD_loadscores+1+99*t*3*5",
                          "CMD_loadscores+1+*",
                          "CMD_loadstats+1+9+0+1+1+0+9+9",
                          "CMD_nextplayer+0+1+99",
                          "CMD_selectedcat+1+99+",
                          "CMD_postscores+1+5+5+42+",
                          "CMD_justwatching+-3+1",
                          "CMD_playerdisconnected+0+x",
                          "CMD_bonusend+1+7+2+x"};
    for (const char* e : junk)
        j.client.handleMessage(e);
    SUCCEED();
}

} // namespace
