// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/gamehost.h"

#include "chat/colourtext.h"
#include "net/fields.h"
#include "net/messages.h"

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

namespace core {

namespace {
std::int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The requests that only relay text or a sound to everybody, limited per connection.
bool isRelay(std::string_view command) {
    return command == msg::toHost::Chat::word || command == msg::toHost::Action::word ||
           command == msg::toHost::Playasound::word;
}
} // namespace

std::string cleanLoginName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '+' || c == '|' || byte < 0x20 || byte == 0x7f) c = '-';
    }
    return out;
}

GameHost::GameHost(HostState& state, TurnHandler* turns)
    : m_state(state), m_turns(turns), m_nowMs(steadyMs) {}

int GameHost::connectionAccepted(const std::function<void(int slot)>& bind) {
    int slot = 0;
    if (m_state.slotcount == 0) {
        m_state.slotcount = 1;
        slot = 1;
    } else {
        slot = m_state.slotcount;
        // A seat held for a dropped player is not free.
        auto taken = [this](int n) { return m_state.slot(n).connected || seatHeld(n); };
        for (int n = 1; n <= m_state.slotcount; ++n) {
            if (!taken(n)) {
                slot = n;
                break;
            }
        }
        if (taken(slot)) {
            if (m_state.slotcount < kMaxSlot)
                slot = ++m_state.slotcount;
            else
                slot = kRefusedSlot;
        }
    }

    m_slots[index(slot)] = Connection{};
    m_slots[index(slot)].acceptedMs = m_nowMs();
    m_limiter.reset(slot);
    if (bind) bind(slot);
    if (slot == kRefusedSlot) {
        m_state.tell([](HostEvents& w) { w.connectionRefused(); });
        m_slots[index(slot)].refused = true;
        m_state.port().send(slot, msg::toClient::Full::build());
        m_state.port().close(slot);
        return slot;
    }
    auto& s = m_state.slot(slot);
    s.connected = true;
    s.loggedin = false;
    // The hosting player may have handed a vacant seat to the computer; whoever sits down now
    // plays it.
    s.justwatch = false;
    m_state.tell([slot](HostEvents& w) { w.connectionAccepted(slot); });
    m_state.sendTo(slot, msg::toClient::Sendlogininfo::build(slot));
    return slot;
}

bool GameHost::bytesReceived(int slot, std::string_view bytes) {
    if (!HostState::validSlot(slot) || !m_state.slot(slot).connected) return false;
    auto& conn = m_slots[index(slot)];
    if (conn.refused) return false;
    const auto now = std::chrono::steady_clock::now();
    for (auto& message : conn.framer.feed(bytes)) {
        if (!m_queue.push(slot, std::move(message))) {
            refuse(slot, CloseReason::Queue);
            return false;
        }
        conn.queuedAt.push_back(now);
    }
    if (conn.framer.overflowed()) {
        refuse(slot, CloseReason::UnterminatedMessage);
        return false;
    }
    return true;
}

void GameHost::refuse(int slot, CloseReason reason) {
    auto& conn = m_slots[index(slot)];
    if (conn.refused) return;
    conn.refused = true;
    conn.reason = reason;
    // Nothing more from this connection is believed, including what it already queued.
    m_queue.dropSlot(slot);
    conn.queuedAt.clear();
    m_state.port().close(slot);
}

void GameHost::closingFor(int slot, CloseReason reason) {
    if (!HostState::validSlot(slot)) return;
    auto& conn = m_slots[index(slot)];
    if (conn.refused) return;
    conn.refused = true;
    conn.reason = reason;
    m_queue.dropSlot(slot);
    conn.queuedAt.clear();
}

void GameHost::shutDown() {
    const auto blue = writeColourText(kSystemColour).value_or("clBlue");
    m_state.broadcast(msg::toClient::Chat::tableLine(
        m_state.turn.gamerunning ? kShutdownGameLine : kShutdownLine, blue));
    if (m_turns) m_turns->shuttingDown();
    m_state.port().stopCountdown();
    closeAll(CloseReason::Shutdown);
}

void GameHost::closeAll(CloseReason reason) {
    for (int slot = 1; slot <= kMaxSlot; ++slot)
        if (m_state.slot(slot).connected) refuse(slot, reason);
}

void GameHost::connectionClosed(int slot) {
    if (!HostState::validSlot(slot)) return;
    auto& s = m_state.slot(slot);
    if (!s.connected) return;
    m_state.broadcastExcept(slot, msg::toClient::Playerdisconnected::build(slot, s.name));
    const Connection& conn = m_slots[index(slot)];
    m_state.tell([&](HostEvents& w) { w.connectionClosed(slot, s.name, s.loggedin, conn.reason); });
    const bool held = startHold(slot);
    const bool wasPlaying = s.loggedin;
    s.connected = false;
    s.loggedin = false;
    s.name.clear();
    s.justwatch = false;
    s.computerfinishes = false;
    m_slots[index(slot)] = Connection{};
    m_queue.dropSlot(slot);
    if (held) {
        tellReturningCopies(
            slot, msg::toClient::Seatheld::build(slot, m_holdSeconds, m_holds.heldName(slot)));
        armHoldTimer();
        // The seat stays in the game whenever its player left: the computer plays it, this
        // turn included, as it plays a seat whose player just watches.
        if (m_turns) m_turns->justWatchStarted(slot);
        return;
    }
    m_holds.revoke(slot);
    if (!m_turns) return;
    // A connection that never logged in held nothing of the game: the seat stays as it was.
    if (wasPlaying)
        m_turns->seatVacated(slot);
    else
        m_turns->seatsChanged();
}

void GameHost::loginTimedOut(int slot) {
    if (!HostState::validSlot(slot) || !m_state.slot(slot).connected) return;
    if (!m_state.slot(slot).loggedin) refuse(slot, CloseReason::LoginDeadline);
}

bool GameHost::hasRoom() {
    for (int n = 1; n <= kMaxSlot; ++n)
        if (!m_state.slot(n).connected && !seatHeld(n)) return true;
    return false;
}

bool GameHost::makeRoom() {
    const std::int64_t now = m_nowMs();
    int oldest = 0;
    for (int n = 1; n <= kMaxSlot; ++n) {
        const Connection& conn = m_slots[index(n)];
        if (!m_state.slot(n).connected || m_state.slot(n).loggedin || conn.refused ||
            now - conn.acceptedMs < kRoomGraceMs)
            continue;
        if (oldest == 0 || conn.acceptedMs < m_slots[index(oldest)].acceptedMs) oldest = n;
    }
    if (oldest == 0) return false;
    refuse(oldest, CloseReason::MadeRoom);
    return true;
}

bool GameHost::processNext() {
    auto entry = m_queue.pop();
    if (!entry) return false;
    const auto command = splitEntry(entry->text).command;
    auto& queuedAt = m_slots[index(entry->slot)].queuedAt;
    if (!queuedAt.empty()) { // each slot's entries leave in their own order
        const auto waited = std::chrono::steady_clock::now() - queuedAt.front();
        queuedAt.pop_front();
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(waited).count();
        m_state.tell([&](HostEvents& w) { w.messageHandled(command, us); });
    }
    if (isRelay(command) && !m_limiter.allow(entry->slot, m_nowMs())) return true;
    dispatch(entry->slot, entry->text);
    if (!m_state.turn.gamerunning) endHolds();
    return true;
}

template <typename Request, void (GameHost::*handle)(int, const Request&)>
void GameHost::take(int sender, std::string_view payload) {
    if (auto request = Request::read(payload)) (this->*handle)(sender, *request);
}

void GameHost::dispatch(int slot, std::string_view entry) {
    if (!HostState::validSlot(slot)) return;
    auto [command, payload] = splitEntry(entry);
    using namespace msg::toHost;
    static constexpr std::array<msg::Route<Handler>, 13> kRoutes{{
        {Logininfo::word, &GameHost::take<Logininfo, &GameHost::receivedlogininfo>},
        {Kickhim::word, &GameHost::take<Kickhim, &GameHost::kickhim>},
        {Chat::word, &GameHost::take<Chat, &GameHost::chat>},
        {Playasound::word, &GameHost::take<Playasound, &GameHost::playasound>},
        {Action::word, &GameHost::take<Action, &GameHost::action>},
        {Startgame::word, &GameHost::take<Startgame, &GameHost::startgame>},
        {Justwatch::word, &GameHost::take<Justwatch, &GameHost::justwatch>},
        {Rollthedice::word, &GameHost::take<Rollthedice, &GameHost::rollthedice>},
        {Selectcat::word, &GameHost::take<Selectcat, &GameHost::selectcat>},
        {Canholdseat::word, &GameHost::canholdseat},
        {Reclaimseat::word, &GameHost::reclaimseat},
        {Sealpart::word, &GameHost::take<Sealpart, &GameHost::sealpart>},
        {Leaving::word, &GameHost::leaving},
    }};
    static_assert(msg::coversExactly(kRoutes, msg::kToHost));
    // Unknown command words and entries without "+" are dropped.
    if (const Handler* handler = msg::findHandler(kRoutes, command))
        (this->**handler)(slot, payload);
}

void GameHost::timer1Tick() {
    if (m_turns) m_turns->timer1Timer();
    if (!m_state.turn.gamerunning) endHolds();
}

void GameHost::receivedlogininfo(int sender, const msg::toHost::Logininfo& login) {
    // The slot field is the client's echo of what it was told; the connection decides.
    auto& me = m_state.slot(sender);
    auto& conn = m_slots[index(sender)];
    // A player back in a held seat keeps the name the table knew.
    me.name = conn.restoredName.empty() ? cleanLoginName(login.name) : conn.restoredName;
    conn.restoredName.clear();
    me.connected = true;
    me.loggedin = true;
    m_state.tell([&](HostEvents& w) { w.loggedIn(sender, me.name); });

    m_state.broadcast(msg::toClient::Newplayerinfo::build(sender, me.name));

    std::vector<msg::PlayerEntry> others;
    for (int n = 1; n <= m_state.slotcount && n <= kMaxSlot; ++n) {
        const auto& s = m_state.slot(n);
        if (n != sender && s.connected) others.push_back({n, s.name, s.justwatch});
    }
    if (!others.empty()) m_state.sendTo(sender, msg::toClient::Existingplayers::build(others));

    if (login.version != kVersionText) {
        m_state.sendTo(1, msg::toClient::Havewrongversion::build(me.name));
        m_state.sendTo(sender, msg::toClient::Wrongversion::build());
    }

    if (m_state.turn.gamerunning) sendCatchUp(sender);
    if (!m_holds.hasToken(sender)) issueToken(sender);
    if (m_turns) m_turns->loggedIn(sender);
    // Back in a seat its player had handed to the computer: the seat stays on just watch, as
    // the host kept it. Dropping out is no choice to play again, and a seat the computer keeps
    // playing never leaves the table waiting for someone who may be away. Every table is told
    // with the message that switched it on, after the login's catch-up: the returning one
    // knows its seat by then, and an old copy needs nothing new to apply it.
    if (std::exchange(conn.restoredWatching, false) && me.justwatch)
        m_state.broadcast(msg::toClient::Justwatching::build(sender, msg::kJustWatchOn));
    if (m_turns) m_turns->seatsChanged();
}

void GameHost::sendCatchUp(int slot) {
    const auto& turn = m_state.turn;
    static const PlayerSlot noSeat;
    const PlayerSlot& current =
        HostState::validSeat(turn.currentseat) ? m_state.slot(turn.currentseat) : noSeat;
    m_state.sendTo(slot, msg::toClient::Loadstats::build(slot, turn.currentseat, turn.bonuslimit,
                                                         current.rolls, turn.round,
                                                         current.workingcat, turn.dice));
    std::vector<msg::SeatScores> seats;
    for (int seat = 1; seat <= kSeatCount; ++seat) {
        const auto& s = m_state.slot(seat);
        msg::SeatScores entry;
        entry.seat = seat;
        entry.ingame = s.ingame;
        for (int c = 1; c <= kCategoryCount; ++c)
            entry.rows[static_cast<std::size_t>(c)] = s.score(c);
        entry.rows[8] = s.total;
        seats.push_back(entry);
    }
    m_state.sendTo(slot, msg::toClient::Loadscores::build(slot, seats));
}

void GameHost::kickhim(int sender, const msg::toHost::Kickhim& kick) {
    // Only the hosting player removes players, and only in its own name.
    if (sender != 1 || kick.sender != sender) return;
    if (!HostState::validSlot(kick.target)) return;
    if (m_state.slot(kick.target).connected) refuse(kick.target, CloseReason::Kicked);
}

void GameHost::chat(int sender, const msg::toHost::Chat& said) {
    if (said.slot != sender) return;
    m_state.broadcast(msg::toClient::Chat::build(sender, m_state.slot(sender).name, said.text));
}

void GameHost::action(int sender, const msg::toHost::Action& did) {
    if (did.slot != sender) return;
    m_state.broadcast(msg::toClient::Action::build(sender, m_state.slot(sender).name, did.text));
}

void GameHost::playasound(int sender, const msg::toHost::Playasound& sound) {
    if (sound.slot != sender) return;
    m_state.broadcast(msg::toClient::Playasound::build(sender, sound.text));
}

void GameHost::startgame(int sender, const msg::toHost::Startgame& request) {
    if (sender != 1) return;
    // Tokens and holds of an abandoned game are worthless in the new one.
    endHolds();
    if (m_turns) m_turns->startgame(request);
    for (int seat = 1; seat <= kSeatCount; ++seat)
        issueToken(seat);
}

void GameHost::justwatch(int sender, const msg::toHost::Justwatch& request) {
    if (!HostState::validSeat(request.seat)) return;
    // Another seat may be switched only by the hosting player.
    if (request.seat != sender && sender != 1) return;
    auto& seat = m_state.slot(request.seat);
    if (request.mode == msg::kJustWatchOff) {
        seat.justwatch = false;
        m_state.broadcast(msg::toClient::Justwatching::build(request.seat, msg::kJustWatchOff));
        if (m_turns) m_turns->seatsChanged();
    } else if (request.mode == msg::kJustWatchOn && m_state.turn.gamerunning) {
        seat.justwatch = true;
        m_state.broadcast(msg::toClient::Justwatching::build(request.seat, msg::kJustWatchOn));
        if (m_turns) m_turns->justWatchStarted(request.seat);
    }
}

// A seat on "Just Watch" is the computer's to play: its owner's requests would play it twice.
// So is a seat whose player came back during its turn, until that turn ends.
bool GameHost::mayPlay(int sender, int seat) const {
    const auto& s = m_state.slot(sender);
    return seat == sender && !s.justwatch && !s.computerfinishes;
}

void GameHost::rollthedice(int sender, const msg::toHost::Rollthedice& request) {
    if (!mayPlay(sender, request.seat)) return;
    if (m_turns) m_turns->rollthedice(request);
}

void GameHost::selectcat(int sender, const msg::toHost::Selectcat& request) {
    if (!mayPlay(sender, request.seat)) return;
    if (m_turns) m_turns->selectcat(request);
}

// --- seats held for dropped players ----------------------------------------------------------

bool GameHost::seatHeld(int slot) {
    // A hold lasts no longer than its game.
    if (!m_state.turn.gamerunning) endHolds();
    return m_holds.held(slot);
}

void GameHost::issueToken(int slot) {
    if (m_holdSeconds <= 0 || !m_state.turn.gamerunning || !HostState::validSeat(slot)) return;
    const auto& s = m_state.slot(slot);
    if (!s.connected || !s.ingame || !m_slots[index(slot)].canHold) return;
    if (auto token = m_holds.issue(slot))
        m_state.sendTo(slot,
                       msg::toClient::Seattoken::build(slot, m_holdSeconds, seatTokenText(*token)));
}

// Decided before the slot's fields are cleared. Not for a connection the host closed itself
// (a removal, a flood): that player is not expected back.
bool GameHost::startHold(int slot) {
    const auto& s = m_state.slot(slot);
    if (m_holdSeconds <= 0 || !m_state.turn.gamerunning || !HostState::validSeat(slot) ||
        !s.ingame || m_slots[index(slot)].refused)
        return false;
    return m_holds.hold(slot, s.name, m_nowMs() + std::int64_t{m_holdSeconds} * 1000, s.justwatch);
}

void GameHost::tellReturningCopies(int except, const std::string& message) {
    for (int n = 1; n <= m_state.slotcount && n <= kMaxSlot; ++n)
        if (n != except && m_slots[index(n)].canHold) m_state.sendTo(n, message);
}

void GameHost::armHoldTimer() {
    if (auto next = m_holds.nextDeadline())
        m_state.port().armHoldTimer(static_cast<int>(std::max<std::int64_t>(0, *next - m_nowMs())));
}

// Every hold ends with its game; the copies that know holds hear that each seat is free.
void GameHost::endHolds() {
    for (const auto& ended : m_holds.clear())
        tellReturningCopies(ended.seat, msg::toClient::Seatfreed::build(ended.seat, ended.name));
}

void GameHost::expireHolds() {
    if (!m_state.turn.gamerunning) {
        endHolds();
        return;
    }
    // From now on the seat goes as any seat whose player left: the computer plays it, and the
    // next connection may sit in it.
    for (const auto& ended : m_holds.expire(m_nowMs()))
        tellReturningCopies(ended.seat, msg::toClient::Seatfreed::build(ended.seat, ended.name));
    armHoldTimer();
}

// A player who closes the window on purpose is not waited for: its token goes, so the close
// that follows frees the seat as for a copy without holds.
void GameHost::leaving(int sender, std::string_view) {
    if (HostState::validSeat(sender)) m_holds.revoke(sender);
}

void GameHost::canholdseat(int sender, std::string_view) {
    auto& conn = m_slots[index(sender)];
    conn.canHold = true;
    // Said after the login: the token follows now.
    if (m_state.slot(sender).loggedin && !m_holds.hasToken(sender)) issueToken(sender);
}

// Right after "CMD_sendlogininfo", before the login: a wrong, expired or used token (or one
// that cannot be read) changes nothing, and the login that follows is an ordinary one. One attempt
// per connection, so attempts are bounded as connections and logins are.
void GameHost::reclaimseat(int sender, std::string_view payload) {
    auto& conn = m_slots[index(sender)];
    conn.canHold = true;
    if (m_state.slot(sender).loggedin || conn.reclaimTried) return;
    conn.reclaimTried = true;
    const auto request = msg::toHost::Reclaimseat::read(payload);
    const auto token = request ? parseSeatToken(request->token) : std::nullopt;
    if (!token || !m_state.turn.gamerunning) return;
    if (auto back = m_holds.reclaim(*token)) {
        moveToHeldSeat(sender, back->seat, std::move(back->name), back->watching);
        armHoldTimer();
    }
}

void GameHost::moveToHeldSeat(int from, int to, std::string name, bool watching) {
    m_state.port().moveConnection(from, to);
    m_slots[index(to)] = std::move(m_slots[index(from)]);
    m_slots[index(from)] = Connection{};
    m_queue.moveSlot(from, to); // the login waiting behind the reclaim now speaks for `to`
    m_limiter.reset(to);
    m_limiter.reset(from);

    auto& old = m_state.slot(from);
    old.connected = false;
    old.loggedin = false;
    old.justwatch = false;
    auto& seat = m_state.slot(to);
    seat.connected = true;
    seat.loggedin = false; // the login follows
    seat.justwatch = watching;
    seat.name = name;
    // Back during its own turn: the computer's moves of this turn go on to its end.
    seat.computerfinishes = m_state.turn.currentseat == to && seat.turnactive;
    m_slots[index(to)].restoredName = std::move(name);
    m_slots[index(to)].restoredWatching = watching;
    m_state.sendTo(to, msg::toClient::Seatreclaimed::build(to));
    issueToken(to);
    // The slot the connection waited in may be the seat on turn, played by the computer again.
    if (m_turns) m_turns->seatsChanged();
}

void GameHost::sealpart(int sender, const msg::toHost::Sealpart& part) {
    if (m_turns) m_turns->sealpart(sender, part);
}

} // namespace core
