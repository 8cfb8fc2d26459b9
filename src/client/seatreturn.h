// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Coming back to our seat after the connection dropped. The host gives the seated player of a
// running game a token for its seat ("CMD_seattoken"); we keep it, in memory and through the
// port for a restarted copy, until the game ends. When the connection closes while we hold
// one, the window reconnects instead of closing, and the login of the new connection shows
// the token first ("CMD_reclaimseat"); the host answers "CMD_seatreclaimed" with our seat.
// Other players' drops and returns are told as lines of the table's own.
//
// States: no token -> token held (seattoken) -> reconnecting (connection lost)
//         -> token held (seatreclaimed, a new seattoken) or no token (game over, refused).

#include "client/hostevents.h"

#include <string>

namespace core {

struct TableState;

class SeatReturn {
public:
    explicit SeatReturn(TableState& state) : m_state(state) {}

    // "CMD_sendlogininfo" has arrived: before our login, say we can come back and, with a
    // token kept, ask for our seat.
    void beforeLogin(const fromHost::Sendlogininfo& event);
    void seattoken(const fromHost::Seattoken& event);
    void seatreclaimed(const fromHost::Seatreclaimed& event);
    void seatheld(const fromHost::Seatheld& event);
    void seatfreed(const fromHost::Seatfreed& event);
    // Once the other parts have shown the message: a game starting or ending makes the token
    // worthless, and our own arrival without "CMD_seatreclaimed" means the host did not take it.
    void startgame(const fromHost::Startgame&) {
        m_gameOver = false;
        forget();
    }
    void winner(const fromHost::Winner&) {
        m_gameOver = true;
        forget();
    }
    void newplayerinfo(const fromHost::Newplayerinfo& event);

    // The connection closed. True when we are reconnecting (and the table stays open).
    bool connectionLost();
    // The player closes the window: a host that holds our seat is told not to wait for us.
    void leaving();
    // Reconnecting failed for the whole hold time: the token is of no more use.
    void reconnectFailed() { forget(); }

    bool holdsToken() const { return !m_token.empty(); }
    int holdSeconds() const { return m_seconds; }

private:
    void forget();

    TableState& m_state;
    std::string m_token;
    int m_seconds = 0;
    bool m_asked = false;    // a reclaim is waiting for its answer
    bool m_gameOver = false; // holds freed now end with the game, not with their time
};

} // namespace core
