// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game host needs from its surroundings. The Qt host adapter implements it with real
// sockets and a QTimer; tests implement it with a recording fake and a manual timer.

#include "game/computerstyle.h"

#include <string>

namespace core {

class HostPort {
public:
    virtual ~HostPort() = default;
    // Send one message (without terminator; the transport frames it) to a connected slot.
    virtual void send(int slot, const std::string& message) = 0;
    // Close a slot's connection. The transport later reports the close through
    // GameHost::connectionClosed, as for a close by the peer.
    virtual void close(int slot) = 0;
    // A host notice ("too many rolls", ...): shown to the hosting player, logged by a
    // dedicated host.
    virtual void notice(const std::string& text) = 0;
    // The game countdown timer `timer1`: (re)arm it to tick every intervalMs, or stop it.
    virtual void armCountdown(int intervalMs) = 0;
    virtual void stopCountdown() = 0;
    // The computer player's interval in milliseconds (the "Bot Speed" setting; 750 until the
    // settings are loaded).
    virtual int botSpeedMs() const = 0;
    // Which computer player moves for the seats nobody present plays; asked each time a
    // computer move is armed.
    virtual ComputerStyle computerStyle() const { return ComputerStyle::Classic; }
    // A connection has shown the token of a held seat: from now on the connection of slot
    // `from` is the connection of slot `to`, and `from` has none.
    virtual void moveConnection(int from, int to) {
        (void)from;
        (void)to;
    }
    // Call GameHost::expireHolds in about ms milliseconds (replacing an earlier request).
    virtual void armHoldTimer(int ms) { (void)ms; }
};

} // namespace core
