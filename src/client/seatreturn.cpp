// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/seatreturn.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "client/tablestate.h"
#include "net/messages.h"

namespace core {

namespace {
constexpr const char* kReconnecting = "Connection lost \xe2\x80\x94 reconnecting\xe2\x80\xa6";
constexpr const char* kBackInSeat = "0+You are back in your seat.";
constexpr const char* kIsReconnecting = " is reconnecting\xe2\x80\xa6";
constexpr const char* kSeatFreed = " did not come back; the computer plays the seat.";
} // namespace

void SeatReturn::beforeLogin(const fromHost::Sendlogininfo& event) {
    const auto& slot = event.slot;
    if (!slot || *slot < 1) return;
    m_state.transport.send(msg::toHost::Canholdseat::build(*slot));
    // A copy restarted during the game finds the token where the last one kept it.
    if (m_token.empty()) m_token = m_state.transport.keptSeatToken();
    m_asked = !m_token.empty();
    if (m_asked) m_state.transport.send(msg::toHost::Reclaimseat::build(*slot, m_token));
}

void SeatReturn::seattoken(const fromHost::Seattoken& event) {
    const auto& fields = event.fields;
    if (!fields || fields->seat != m_state.myslot || fields->token.empty()) return;
    m_token = fields->token;
    m_seconds = fields->seconds;
    m_state.transport.keepSeatToken(m_token);
}

void SeatReturn::seatreclaimed(const fromHost::Seatreclaimed& event) {
    const auto& seat = event.seat;
    if (!seat || !isSeat(*seat) || !m_asked) return;
    m_asked = false;
    m_state.myslot = *seat;
    m_state.chatLine(kBackInSeat);
}

void SeatReturn::seatheld(const fromHost::Seatheld& event) {
    const auto& fields = event.fields;
    if (!fields || !isSeat(fields->seat)) return;
    // The seat is still in the game: its name stays, without the "not playing" mark.
    SeatState& s = m_state.board.seat(fields->seat);
    s.label = fields->name;
    s.notPlaying = false;
    m_state.chatLine("0+" + fields->name + kIsReconnecting);
}

void SeatReturn::seatfreed(const fromHost::Seatfreed& event) {
    const auto& fields = event.fields;
    if (!fields || !isSeat(fields->seat)) return;
    SeatState& s = m_state.board.seat(fields->seat);
    if (s.label == fields->name) s.label = fields->seat == 2 ? kSeat2Fallback : kWaiting;
    if (!m_gameOver) m_state.chatLine("0+" + fields->name + kSeatFreed);
}

void SeatReturn::newplayerinfo(const fromHost::Newplayerinfo& event) {
    // The message opens with the slot of the first arrival.
    if (!m_asked || event.players.empty() || event.players.front().slot != m_state.myslot) return;
    // Logged in without our seat: the hold is over or the game is another one.
    m_asked = false;
    forget();
}

bool SeatReturn::connectionLost() {
    if (m_token.empty() || m_seconds <= 0) return false;
    if (!m_state.transport.startReconnecting(m_seconds)) return false;
    m_state.loggedin = false;
    // Nothing can be asked of the host until we are back: no Roll or Start to press meanwhile;
    // the late joiner's catch-up shows them again where they belong.
    m_state.turnseat = 0;
    m_state.board.rollVisible = false;
    m_state.board.startVisible = false;
    m_state.board.status = kReconnecting;
    m_state.chatLine(std::string("0+") + kReconnecting);
    m_state.presentation.boardChanged();
    return true;
}

void SeatReturn::leaving() {
    if (m_token.empty() || !m_state.loggedin) return;
    m_state.transport.send(msg::toHost::Leaving::build(m_state.myslot));
    forget();
}

void SeatReturn::forget() {
    if (m_token.empty()) return;
    m_token.clear();
    m_seconds = 0;
    m_state.transport.keepSeatToken({});
}

} // namespace core
