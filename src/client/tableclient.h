// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table client: what the window drives and what the host's messages reach. It owns the
// shared session and board state and the parts that each do one job with it, hands every call
// to the part that holds that job, and reads every host message once into its event, which the
// parts that handle it hear in a fixed order (tableclient.cpp lists it):
//   TableSession   start-up, login, start-game request, refusals, the connection closing;
//   TablePresence  arrivals, departures, spectators, just watching, version lines;
//   SeatMenu       the seat menu and kicking;
//   TurnDisplay    new game, whose turn, rolls, the working category;
//   ScoreDisplay   scores, brambles, bonus mode, the winner and the tally;
//   LateJoin       the rebuild for a player who arrives mid-game;
//   TurnControls   the local player's roll, panels, holds, category clicks and dice animation;
//   Coaching       the Hint and the review of the local player's decisions at the game's end;
//   DiceCheck      the part for the sealed seed and the check of the host's dice;
//   SeatReturn     our seat's token, coming back after a drop, others' drops and returns.
// It talks outward only through the four ClientPorts; the window redraws from board().

#include "client/boardmodel.h"
#include "client/coaching.h"
#include "client/dicecheck.h"
#include "client/hostevents.h"
#include "client/latejoin.h"
#include "client/scoredisplay.h"
#include "client/seatmenu.h"
#include "client/seatreturn.h"
#include "client/tablepresence.h"
#include "client/tablesession.h"
#include "client/tablestate.h"
#include "client/turncontrols.h"
#include "client/turndisplay.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace core {

struct ClientPorts;

class TableClient {
public:
    explicit TableClient(const ClientPorts& ports, unsigned animationSeed = std::random_device{}(),
                         DiceCheck::Entropy sealEntropy = {});
    // The parts hold references into this object's state; a copy would share it.
    TableClient(const TableClient&) = delete;
    TableClient& operator=(const TableClient&) = delete;

    // --- start-up ---------------------------------------------------------------------
    // The positional command-line parameters (program name excluded).
    void processparams(const std::vector<std::string>& params) { m_session.processparams(params); }
    void hostpress() { m_session.hostpress(); }
    void joinpress() { m_session.joinpress(); }

    // --- transport --------------------------------------------------------------------
    // One received queue entry (command word, "+", payload). Unknown or malformed entries
    // are dropped.
    void handleMessage(std::string_view entry);
    // The observer hears every host message after the parts, once the board has been redrawn,
    // and after the observers added before it. It is kept by reference while this client lives.
    void addObserver(HostEventObserver& observer) { m_observers.push_back(&observer); }
    // A status text of the table connection; "Socket Closed" closes the window, unless we
    // hold a seat's token and the window reconnects.
    void sockInfo(std::string_view text);
    // The window's reconnecting gave up: the table closes as for a closed connection.
    void reconnectFailed();
    bool holdsSeatToken() const { return m_seatReturn.holdsToken(); }
    // The window closes on purpose (Exit, its close box): not a drop to come back from.
    void windowClosing() { m_seatReturn.leaving(); }

    // --- menus and seat menu ------------------------------------------------------------
    void JustWatch1Click() { m_presence.JustWatch1Click(); }
    // Prepares popup_kick.
    SeatMenuState label_playernameMouseUp(int seat) {
        return m_seatMenu.label_playernameMouseUp(seat);
    }
    const SeatMenuState& seatMenu() const { return m_seatMenu.state(); }
    void RemoveFromGame1Click() { m_seatMenu.RemoveFromGame1Click(); }
    void SettoJustWatch1Click() { m_seatMenu.SettoJustWatch1Click(); }
    void UnsetJustWatch1Click() { m_seatMenu.UnsetJustWatch1Click(); }
    void kicking(int slot) { m_seatMenu.kicking(slot); }
    void remindme1Click() { m_controls.remindme1Click(); }
    // Settings load sets the reminder without writing the file back.
    void setRemindMe(bool checked) { m_controls.setRemindMe(checked); }
    bool remindMe() const { return m_controls.remindMe(); }

    // --- turn controls ------------------------------------------------------------------
    void button_startClick() { m_session.button_startClick(); }
    // The game options window's Start: sends "CMD_startgame" with our name and the limit.
    void sendStartGame(int limit) { m_session.sendStartGame(limit); }
    void button_rollClick() { m_controls.button_rollClick(); }
    void button_yesClick() { m_controls.button_yesClick(); }
    void button_noClick() { m_controls.button_noClick(); }
    void button_okClick() { m_controls.button_okClick(); }
    void image_dMouseUp(int die, MouseButton button) { m_controls.image_dMouseUp(die, button); }
    // image_button<n> and image_spacer<n>
    void categoryClick(int category) { m_controls.categoryClick(category); }
    // One tick of the dice animation: every die shows the plain body and random pips.
    void dicetimerTimer() { m_controls.dicetimerTimer(); }
    bool diceAnimating() const { return m_state.animating; }
    // The solver's advice for the local player's turn: its text (empty when there is none
    // now), and the dice it would keep raised. Nothing is sent.
    std::string hintClick(ComputerStyle style = ComputerStyle::Classic) {
        return m_coaching.hintClick(style);
    }
    bool hintAvailable() const { return m_coaching.hintAvailable(); }
    // The local player's position as the coach sees it, and the game's bonus-roll limit.
    TurnPosition myPosition() const { return m_coaching.myPosition(); }
    int bonusLimit() const { return m_coaching.bonusLimit(); }

    // --- state ------------------------------------------------------------------------
    const BoardModel& board() const { return m_state.board; }
    int myslot() const { return m_state.myslot; }
    bool loggedin() const { return m_state.loggedin; }
    bool hosting() const { return m_state.hosting; }
    int turnseat() const { return m_state.turnseat; }
    const std::string& playername() const { return m_state.playername; }
    const std::string& hostaddress() const { return m_state.hostaddress; }
    int seatcount() const { return m_state.seatcount; }
    std::uint32_t systemcolour() const { return m_state.systemcolour; }
    bool justWatchChecked() const { return m_state.justWatchChecked; }
    bool startGameEnabled() const { return m_state.startGameEnabled; }
    const std::vector<Spectator>& spectators() const { return m_presence.spectators(); }

private:
    // The parts hear one host message, each the events it has a handler for.
    template <typename Event> void tellParts(const Event& event);

    // What goes straight to the window: received chat lines and chatter sounds.
    void chatrecieved(const fromHost::Chat& event);
    void actionrecieved(const fromHost::Action& event);
    void playasound(const fromHost::Playasound& event);
    // DiceCheck's answers: our part of the seed to the host, its lines to the chat.
    void sealcommit(const fromHost::Sealcommit& event);
    void sealmix(const fromHost::Sealmix& event);
    void sealreveal(const fromHost::Sealreveal& event);
    // A dice-check line in the chat: the table's own colour, red when the check failed.
    void diceCheckLine(const std::optional<DiceCheck::Line>& line);

    // The state comes first: every part below is built with a reference to it.
    TableState m_state;
    TableSession m_session;
    TablePresence m_presence;
    SeatMenu m_seatMenu;
    TurnDisplay m_turns;
    ScoreDisplay m_scores;
    LateJoin m_lateJoin;
    TurnControls m_controls;
    Coaching m_coaching;
    SeatReturn m_seatReturn;
    DiceCheck m_diceCheck;
    std::vector<HostEventObserver*> m_observers;
};

} // namespace core
