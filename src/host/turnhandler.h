// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game host's seat and login logic hands every game request and event to a TurnHandler:
// the turn engine in the program, a recording fake in tests of the seat logic.

#include "net/tohost.h"

namespace core {

class TurnHandler {
public:
    virtual ~TurnHandler() = default;
    // "CMD_startgame"; sender already checked.
    virtual void startgame(const msg::toHost::Startgame& request) = 0;
    // "CMD_rollthedice" / "CMD_selectcat"; the seat field is already checked against the
    // sending connection's slot.
    virtual void rollthedice(const msg::toHost::Rollthedice& request) = 0;
    virtual void selectcat(const msg::toHost::Selectcat& request) = 0;
    // One tick of the game countdown timer `timer1`.
    virtual void timer1Timer() = 0;
    // A connected slot has just closed; its connected, name and justwatch fields are cleared.
    virtual void seatVacated(int slot) = 0;
    // A seat has just been switched to just watching (and it was broadcast).
    virtual void justWatchStarted(int seat) = 0;
    // A slot has just logged in and been told the players and, during a game, the board.
    virtual void loggedIn(int /*slot*/) {}
    // Who plays a seat has just changed (a login, a return to a held seat, a drop, just watch
    // switched): the turn in progress must go on, by its player or by the computer.
    virtual void seatsChanged() {}
    // A "CMD_sealpart" from a slot: its part of the game's sealed seed.
    virtual void sealpart(int /*slot*/, const msg::toHost::Sealpart& /*part*/) {}
    // The host is about to close every connection; a running game ends here.
    virtual void shuttingDown() {}
};

} // namespace core
