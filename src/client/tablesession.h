// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The session of the table client: the command line decides whether this copy hosts or joins,
// the connection comes up, the host hands us our slot ("CMD_sendlogininfo") and we answer with
// our version and name. It also asks the host to start a game and reacts to the host refusing
// us (full table, other version) or the connection closing.
//
// States: created (myslot 0) -> connecting (processparams) -> logged in.

#include "client/hostevents.h"
#include "net/protocol.h"

#include <string>
#include <string_view>
#include <vector>

namespace core {

struct TableState;

class TableSession {
public:
    // The connection's status text when it has closed.
    static constexpr std::string_view kSocketClosed = "Socket Closed";

    explicit TableSession(TableState& state) : m_state(state) {}

    // The positional command-line parameters (program name excluded).
    void processparams(const std::vector<std::string>& params);
    void hostpress();
    void joinpress();
    // A status text of the table connection; "Socket Closed" tells the player the host
    // connection was closed and closes the window.
    void sockInfo(std::string_view text);

    void button_startClick();
    // The game options window's Start: sends "CMD_startgame" with our name and the limit.
    void sendStartGame(int limit);

    // "CMD_sendlogininfo": our slot; we answer "CMD_logininfo".
    void sendloginfo(const fromHost::Sendlogininfo& event);
    void wrongversion(const fromHost::Wrongversion& event);
    void gamefull(const fromHost::Full& event);

private:
    // Start and the spectator list's Remove: offered to the copy that leads the table.
    void offerTableCommands(bool on);

    TableState& m_state;
    bool m_closing = false; // the window has been asked to close
};

} // namespace core
