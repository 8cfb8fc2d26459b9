// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/tablepresence.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "client/tablestate.h"
#include "net/messages.h"

namespace core {

namespace {

constexpr const char* kYouConnected = "0+You are Connected.";
constexpr const char* kIsConnected = " is Connected.";
constexpr const char* kYouSpying = "0+You are spying.";
constexpr const char* kIsSpying = " is spying.";
constexpr const char* kDisconnected = " disconnected.";
constexpr const char* kHasLeft = " has left.";
constexpr const char* kJustWatching = " is just watching";
constexpr const char* kPlayingAgain = " is now playing again";
constexpr const char* kHaveWrongVersion = " has a different version of the game then you.";

} // namespace

void TablePresence::arrivals(const msg::toClient::Newplayerinfo& in) {
    for (const auto& [slot, name, watching] : in.players) {
        if (slot < 1 || slot > kLastSlot) continue;

        if (slot == m_state.myslot) {
            m_state.chatLine(kYouConnected);
            m_state.records.loadSettings();
        } else {
            m_state.chatLine("0+" + name + kIsConnected);
        }
        if (slot <= kSeatCount) {
            m_state.board.seat(slot).label = name;
            if (watching) m_state.board.seat(slot).eyes = true;
        } else {
            // A slot holds one spectator: announced again, its old entry is replaced, so the
            // list cannot grow past the three spectator slots.
            for (auto it = m_spectators.begin(); it != m_spectators.end(); ++it) {
                if (it->slot != slot) continue;
                m_state.menus.removeSpectator(*it);
                m_spectators.erase(it);
                break;
            }
            m_spectators.push_back({slot, name});
            m_state.menus.addSpectator(m_spectators.back());
            m_state.chatLine(slot == m_state.myslot ? std::string(kYouSpying)
                                                    : "0+" + name + kIsSpying);
        }
    }
    if (!in.complete) return;
    m_state.presentation.playsounds("entered");
}

void TablePresence::playerdisconnected(const fromHost::Playerdisconnected& event) {
    const auto& [slot, name] = event;
    if (!slot || *slot < 1) return;

    if (*slot <= kSeatCount) {
        SeatState& s = m_state.board.seat(*slot);
        std::string fallback = *slot == 2 ? kSeat2Fallback : "";
        if (s.label != kWaiting && s.label != fallback)
            m_state.chatLine("0+" + s.label + kDisconnected);
        s.label = *slot == 2 ? kSeat2Fallback : kWaiting;
        if (*slot >= 3) s.notPlaying = true;
        s.eyes = false;
        return;
    }
    const Spectator leaving{*slot, name};
    for (auto it = m_spectators.begin(); it != m_spectators.end(); ++it) {
        if (*it != leaving) continue;
        m_state.chatLine("0+" + name + kHasLeft);
        m_spectators.erase(it);
        m_state.menus.removeSpectator(leaving);
        return;
    }
}

void TablePresence::justwatching(const fromHost::Justwatching& event) {
    const auto& [seat, watching] = event;
    if (!seat || !isSeat(*seat)) return;
    SeatState& s = m_state.board.seat(*seat);
    if (watching) {
        if (*seat == m_state.myslot) {
            // The computer plays on: nothing of this turn is ours to click any more.
            m_state.setJustWatch(true);
            m_state.board.rollVisible = false;
            m_state.board.panelErrorVisible = false;
            m_state.board.panelError1Visible = false;
        }
        m_state.chatLine("0+" + s.label + kJustWatching);
        s.eyes = true;
    } else {
        if (*seat == m_state.myslot) {
            m_state.setJustWatch(false);
            // Back in the middle of our own turn: the rest of it is ours again.
            if (m_state.myTurn() && m_state.board.scoreturnVisible &&
                m_state.board.rollsUsed() < 3) {
                m_state.board.rollVisible = true;
                m_state.board.status = kYourTurn;
            }
        }
        m_state.chatLine("0+" + s.label + kPlayingAgain);
        s.eyes = false;
    }
}

void TablePresence::havewrongversion(const fromHost::Havewrongversion& event) {
    m_state.chatLine("0+" + str(event.name) + kHaveWrongVersion);
}

void TablePresence::JustWatch1Click() {
    if (!m_state.loggedin || !m_state.iAmSeated()) return;
    m_state.transport.send(msg::toHost::Justwatch::build(
        m_state.myslot, m_state.justWatchChecked ? msg::kJustWatchOff : msg::kJustWatchOn));
}

} // namespace core
