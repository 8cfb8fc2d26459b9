// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game host's seat logic: who is connected in which slot, the login exchange, late-joiner
// catch-up, kicking, departures, the just-watch switch and the chat, action and chatter-sound
// relays. Game requests and the countdown timer are handed to the TurnHandler.
//
// The transport feeds it raw bytes per connection; each connection has its own framer, and
// complete messages wait in one receive queue (arrival order across all connections) until
// the transport's drain timer calls processNext(). The sender of a request is always the slot
// of the connection it arrived on; fields that name another slot are not believed.
//
// Per slot: free -> connected (connectionAccepted) -> logged in (CMD_logininfo) -> free
// (connectionClosed). A connection that floods the host (an unfinished message past 64 KiB,
// more than 256 entries waiting) is closed through HostPort::close.

#include "host/hoststate.h"
#include "host/relaylimiter.h"
#include "host/seatholds.h"
#include "host/turnhandler.h"
#include "net/framer.h"
#include "net/receivequeue.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace core {

class GameHost {
public:
    // The slot a refused connection is parked in while it is told "CMD_full+" and closed.
    static constexpr int kRefusedSlot = kMaxSlot + 1;
    // What one connection may have waiting in the receive queue, in bytes, besides the entry
    // count: past it the connection is closed like any flooding peer.
    static constexpr std::size_t kMaxWaitingBytesPerSlot = 4u << 20;

    GameHost(HostState& state, TurnHandler* turns);

    // The turn engine (may be null: game requests are then ignored).
    void setTurnHandler(TurnHandler* turns) { m_turns = turns; }
    TurnHandler* turnHandler() const { return m_turns; }
    HostState& state() { return m_state; }
    const HostState& state() const { return m_state; }

    // A connection has been accepted. Picks the lowest free slot, calls bind(slot) so the
    // transport can tie the connection to it, then greets it. Returns the slot, or
    // kRefusedSlot when all nine are taken: that connection has been sent "CMD_full+" and
    // closed.
    int connectionAccepted(const std::function<void(int slot)>& bind = {});

    // Bytes read from a slot's connection. Complete messages join the receive queue. Returns
    // false when the connection was refused for flooding (close already requested).
    bool bytesReceived(int slot, std::string_view bytes);

    // A slot's connection has closed (by the peer, a kick or the host). Announces the
    // departure once and frees the slot; a repeated report for a free slot does nothing.
    void connectionClosed(int slot);

    // The transport is closing a slot's connection for its own reason (output the peer does
    // not take); the departure is reported with it.
    void closingFor(int slot, CloseReason reason);

    // The host is going away: every connection is closed (after what is queued for it).
    void closeAll(CloseReason reason);
    // Tells everybody, in a line of the table's own, that the host is shutting down (and
    // that the game, if one runs, ends there), then closes every connection.
    void shutDown();
    static constexpr std::string_view kShutdownLine = "The host is shutting down.";
    static constexpr std::string_view kShutdownGameLine =
        "The host is shutting down. The game ends here.";

    // The login deadline of a slot has passed: closes the connection if it has not logged in.
    void loginTimedOut(int slot);

    // A copy of this program answers "CMD_sendlogininfo" within a round trip; a connection
    // still silent after this grace (on the clock setClock gives) may lose its slot to a
    // newcomer when all nine are taken.
    static constexpr std::int64_t kRoomGraceMs = 1000;
    // A connection arriving now would be given a slot (one is neither connected nor held).
    bool hasRoom();
    // Every slot is taken: closes the connection that has waited longest for its login, if
    // it has waited at least the grace, so a newcomer can have its slot once the close is
    // reported. Logged-in players, held seats and younger connections stay. False when
    // nobody could be closed.
    bool makeRoom();
    bool loggedIn(int slot) const { return m_state.slot(slot).loggedin; }

    // Handles the next waiting entry (connections take turns; each one's own order is kept).
    // A chat, action or chatter sound past the sender's RelayLimiter allowance is dropped
    // here. False when the queue was empty.
    bool processNext();
    bool hasPending() const { return !m_queue.empty(); }
    std::size_t pendingCount() const { return m_queue.size(); }
    std::size_t pendingFor(int slot) const { return m_queue.waiting(slot); }

    // The clock the relay limiter reads, in milliseconds (a steady clock unless replaced).
    void setClock(std::function<std::int64_t()> nowMs) { m_nowMs = std::move(nowMs); }
    std::int64_t nowMs() const { return m_nowMs(); }
    const RelayLimiter& relayLimiter() const { return m_limiter; }

    // Handles one entry as if it had arrived from the given slot.
    void dispatch(int slot, std::string_view entry);

    // One tick of the game countdown timer.
    void timer1Tick();

    // Seats of dropped players are held this long (0: not held, a dropped player's seat goes
    // as it always did). Only copies that said "CMD_canholdseat" are given a token, so only
    // their seats are held; nothing new is sent to any copy while this is 0.
    void setHoldSeconds(int seconds) { m_holdSeconds = seconds > 0 ? seconds : 0; }
    int holdSeconds() const { return m_holdSeconds; }
    // A seat waits for its player's return (only while a game runs).
    bool seatHeld(int slot);
    // Ends the holds whose time is up (the port's hold timer calls this).
    void expireHolds();

private:
    struct Connection {
        Framer framer;
        bool refused = false; // close requested; its further bytes are ignored
        CloseReason reason = CloseReason::Left;
        std::deque<std::chrono::steady_clock::time_point> queuedAt; // one per waiting entry
        bool canHold = false;          // said "CMD_canholdseat": may be given a seat token
        bool reclaimTried = false;     // one "CMD_reclaimseat" per connection
        std::string restoredName;      // the held seat's name, taken by the login that follows
        bool restoredWatching = false; // the held seat was on just watch: the login says so
        std::int64_t acceptedMs = 0;
    };
    using Handler = void (GameHost::*)(int sender, std::string_view payload);
    static std::size_t index(int slot) { return static_cast<std::size_t>(slot); }
    void refuse(int slot, CloseReason reason);

    // A request is read once, into its record, before its handler sees it; one whose numbers
    // do not convert is dropped.
    template <typename Request, void (GameHost::*handle)(int, const Request&)>
    void take(int sender, std::string_view payload);

    void receivedlogininfo(int sender, const msg::toHost::Logininfo& login);
    void kickhim(int sender, const msg::toHost::Kickhim& kick);
    void chat(int sender, const msg::toHost::Chat& said);
    void playasound(int sender, const msg::toHost::Playasound& sound);
    void action(int sender, const msg::toHost::Action& did);
    void startgame(int sender, const msg::toHost::Startgame& request);
    void justwatch(int sender, const msg::toHost::Justwatch& request);
    void rollthedice(int sender, const msg::toHost::Rollthedice& request);
    void selectcat(int sender, const msg::toHost::Selectcat& request);
    void sealpart(int sender, const msg::toHost::Sealpart& part);
    bool mayPlay(int sender, int seat) const;
    // Both come before the login and change the connection whatever their fields say.
    void canholdseat(int sender, std::string_view payload);
    void leaving(int sender, std::string_view payload);
    void reclaimseat(int sender, std::string_view payload);

    // Seat holds (seatholds.h): the token for a seated player of the running game, the hold
    // when its connection closes, the move of a returning connection into its seat.
    void issueToken(int slot);
    bool startHold(int slot);
    void moveToHeldSeat(int from, int to, std::string name, bool watching);
    void endHolds();
    void tellReturningCopies(int except, const std::string& message);
    void armHoldTimer();

    void sendCatchUp(int slot);

    HostState& m_state;
    TurnHandler* m_turns;
    ReceiveQueue m_queue{ReceiveQueue::kDefaultMaxPerSlot, kMaxWaitingBytesPerSlot};
    RelayLimiter m_limiter;
    std::function<std::int64_t()> m_nowMs;
    SeatHolds m_holds;
    int m_holdSeconds = 0;
    std::array<Connection, kRefusedSlot + 1> m_slots{};
};

// A login name as the host keeps it: "+" and "|" would break every player list and chat line,
// and control characters (C0 and DEL) would reach every peer's screen and every log, so each
// becomes "-".
std::string cleanLoginName(std::string_view name);

} // namespace core
