// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state every part of the table client shares: who we are in the session, whose turn the
// board shows, and the board itself, with the few steps all the parts take (a system chat
// line, the dice animation, the Just Watch tick). The parts own nothing of it; TableClient
// owns it and hands each part a reference.

#include "chat/colourtext.h"
#include "client/boardmodel.h"

#include <cstdint>
#include <string>

namespace core {

struct ClientPorts;
class ClientMenus;
class ClientPresentation;
class ClientRecords;
class ClientTransport;

struct TableState {
    explicit TableState(const ClientPorts& ports);

    // While our seat is on "Just Watch" the computer plays it: its turns are not ours.
    bool playsSeat(int seat) const { return seat != 0 && seat == myslot && !justWatchChecked; }
    bool myTurn() const { return playsSeat(turnseat); }
    bool iAmSeated() const { return myslot >= 1 && myslot <= seatcount; }
    // The host takes the table's commands (start a game, remove a player, set a seat to just
    // watching) from slot 1, whichever copy holds it; our own host hands it to us.
    bool leadsTable() const { return hosting || myslot == 1; }
    // The seat label's text, empty for a number that is not a seat.
    std::string seatName(int seat) const;
    // A line in the chat view in the system colour; body starts with the "0+" sender.
    void chatLine(const std::string& body);
    void startAnimation();
    void stopAnimation();
    void setJustWatch(bool checked);

    // The ways out, one per concern (client/clientport.h).
    ClientTransport& transport;
    ClientPresentation& presentation;
    ClientMenus& menus;
    ClientRecords& records;
    BoardModel board;

    int myslot = 0;
    bool loggedin = false;
    bool hosting = false;
    // 0 after every request of ours, so a second click waits for the host's answer.
    int turnseat = 0;
    std::string playername;
    std::string hostaddress;
    std::string loginname;
    int seatcount = 6;
    std::uint32_t systemcolour = kSystemColour;

    bool animating = false;
    bool justWatchChecked = false;
    bool startGameEnabled = false;
};

} // namespace core
