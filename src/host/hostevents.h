// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What happens at a table, told to whoever watches it from outside the game: the operator's
// log, the metrics, an orchestrator. The game host and the turn engine report; watchers only
// listen and never change the table. Every method does nothing unless overridden.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Why a connection ended. Left: the peer closed it. The bounds: an unfinished message past
// the framer's maximum, too much waiting in the receive queue, output the peer did not take,
// no login before the deadline. MadeRoom: it had waited longest for its login while every
// slot was taken, and a newcomer needed the slot.
enum class CloseReason {
    Left,
    Kicked,
    UnterminatedMessage,
    Queue,
    UnsentOutput,
    LoginDeadline,
    Shutdown,
    MadeRoom
};
inline constexpr CloseReason kCloseReasons[] = {
    CloseReason::Left,     CloseReason::Kicked,       CloseReason::UnterminatedMessage,
    CloseReason::Queue,    CloseReason::UnsentOutput, CloseReason::LoginDeadline,
    CloseReason::Shutdown, CloseReason::MadeRoom};

// "left", "kicked", "unterminated message", "queue", "unsent output", "login deadline",
// "shutdown", "made room".
std::string_view closeReasonText(CloseReason reason);
// The same as a label value: "unterminated_message", ...
std::string_view closeReasonLabel(CloseReason reason);

// Why a connection that waited without a slot (its address had too many waiting for their
// login, or it waits for the room another's close makes) was dropped unanswered: its wait
// ran out, its peer went, or the list of such connections was full when it arrived.
enum class HeldDrop { Deadline, PeerGone, ListFull };
inline constexpr HeldDrop kHeldDrops[] = {HeldDrop::Deadline, HeldDrop::PeerGone,
                                          HeldDrop::ListFull};
// "deadline", "peer gone", "list full".
std::string_view heldDropText(HeldDrop reason);
// The same as a label value: "peer_gone", ...
std::string_view heldDropLabel(HeldDrop reason);

struct Winner {
    int seat = 0;
    std::string name; // empty for a seat the computer played without a player's name
};

class HostEvents {
public:
    virtual ~HostEvents() = default;
    virtual void connectionAccepted(int /*slot*/) {}
    // A connection found all nine slots taken and was told so.
    virtual void connectionRefused() {}
    virtual void loggedIn(int /*slot*/, const std::string& /*name*/) {}
    // A slot's connection has ended; name is empty when it never logged in.
    virtual void connectionClosed(int /*slot*/, const std::string& /*name*/, bool /*loggedIn*/,
                                  CloseReason /*reason*/) {}
    // A connection that never had a slot was dropped; address is its peer's, as text.
    virtual void heldDropped(const std::string& /*address*/, HeldDrop /*reason*/) {}
    virtual void gameStarted(const std::string& /*by*/, int /*seats*/) {}
    virtual void turnBegun(int /*seat*/, int /*round*/) {}
    virtual void gameFinished(const std::vector<Winner>& /*winners*/) {}
    // One entry taken from the receive queue, after waiting `waitedUs` microseconds in it.
    virtual void messageHandled(std::string_view /*command*/, std::int64_t /*waitedUs*/) {}
};

} // namespace core
