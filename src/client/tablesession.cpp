// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/tablesession.h"

#include "client/clientport.h"
#include "client/tablestate.h"
#include "net/messages.h"
#include "net/protocol.h"
#include "net/toclient.h"

namespace core {

namespace {

constexpr const char* kLoadingSolo = "0+Loading Solo Game..Please wait.";
constexpr const char* kLoadingMulti = "0+Loading Multi-player Game.. Please Wait.";
constexpr const char* kWrongVersion = "0+You have a differnt version of the game then the host.";
constexpr const char* kGameFull = "Game is full";
constexpr const char* kNotConnected = "You are not connected";
constexpr const char* kHostClosed = "The connection to the game host was closed.";
constexpr const char* kNameHasTerminator =
    "The player name contains the byte 0xFF, which ends every message to the game host. "
    "Please start the game with another name.";

} // namespace

void TableSession::processparams(const std::vector<std::string>& params) {
    m_state.board.startVisible = false;
    m_state.startGameEnabled = false;
    m_state.menus.setStartGameEnabled(false);
    m_state.loginname.clear();

    if (params.empty()) {
        m_state.chatLine(kLoadingSolo);
        m_state.menus.showLobbyDownload();
        m_state.hostaddress = kLocalAddress;
        m_state.playername = "You";
        hostpress();
    } else {
        m_state.chatLine(kLoadingMulti);
        // With fewer than three parameters we cannot tell hosting from joining, so the
        // window stays unconnected.
        if (params.size() >= 3 && params[0].find('\xff') != std::string::npos) {
            // Sent as it is, the name would split our login into two messages, the second
            // one spoken in our name.
            m_state.presentation.messageBox(kNameHasTerminator);
        } else if (params.size() >= 3) {
            m_state.playername = params[0];
            m_state.hostaddress = params[1];
            if (params[2] == "true")
                hostpress();
            else
                joinpress();
            m_state.transport.openCompanion(kLocalAddress, kCompanionPort);
        }
    }
    m_state.presentation.boardChanged();
}

void TableSession::hostpress() {
    m_state.transport.startListening();
    m_state.loginname = m_state.playername;
    m_state.hosting = true;
    // Our own host always listens on this machine, whatever address the lobby named.
    m_state.transport.connectToHost(kLocalAddress, kGamePort);
    offerTableCommands(true);
}

void TableSession::offerTableCommands(bool on) {
    m_state.board.startVisible = on;
    m_state.startGameEnabled = on;
    m_state.menus.setStartGameEnabled(on);
    m_state.menus.setSpyRemoveEnabled(on);
}

void TableSession::joinpress() {
    m_state.loginname = m_state.playername;
    m_state.transport.connectToHost(m_state.hostaddress, kGamePort);
}

void TableSession::sockInfo(std::string_view text) {
    if (text != kSocketClosed) return;
    // The player should know why the table went away; a table already closing for another
    // reason ("Game is full") says nothing more.
    if (!m_closing) m_state.presentation.messageBox(kHostClosed);
    m_closing = true;
    m_state.presentation.closeWindow();
}

void TableSession::sendloginfo(const fromHost::Sendlogininfo& event) {
    const auto& slot = event.slot;
    if (!slot || *slot < 1) return;
    m_state.myslot = *slot;
    m_state.loggedin = true;
    // A joining copy given slot 1 (the first player at a dedicated host) leads the table;
    // one moved off slot 1 by a new login no longer does.
    if (m_state.leadsTable() != m_state.startGameEnabled) offerTableCommands(m_state.leadsTable());
    m_state.transport.send(
        msg::toHost::Logininfo::build(m_state.myslot, kVersionText, m_state.loginname));
}

void TableSession::wrongversion(const fromHost::Wrongversion&) {
    m_state.chatLine(kWrongVersion);
}

void TableSession::gamefull(const fromHost::Full&) {
    m_closing = true;
    m_state.presentation.messageBox(kGameFull);
    m_state.presentation.closeWindow();
}

void TableSession::button_startClick() {
    if (m_state.loggedin)
        m_state.menus.showGameOptions();
    else
        m_state.presentation.messageBox(kNotConnected);
}

void TableSession::sendStartGame(int limit) {
    if (!m_state.loggedin) return;
    m_state.transport.send(msg::toHost::Startgame::build(m_state.playername, limit));
}

} // namespace core
