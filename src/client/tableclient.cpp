#include "client/tableclient.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "net/fields.h"

#include <optional>

namespace core {

TableClient::TableClient(ClientPort& port, unsigned animationSeed)
    : m_state(port), m_session(m_state), m_presence(m_state), m_seatMenu(m_state), m_turns(m_state),
      m_scores(m_state), m_lateJoin(m_state, m_turns), m_rng(animationSeed) {}

// ---------------------------------------------------------------------------------------
// Dispatch

void TableClient::handleMessage(std::string_view entry) {
    auto [command, payload] = splitEntry(entry);
    if (command.empty()) return;

    if (command == "CMD_sendlogininfo")
        m_session.sendloginfo(payload);
    else if (command == "CMD_chat")
        m_state.port.chatrecieved(str(payload));
    else if (command == "CMD_action")
        m_state.port.chatrecieved(str(payload));
    else if (command == "CMD_playasound")
        m_state.port.playasound(str(payload));
    else if (command == "CMD_newplayerinfo")
        m_presence.newplayerinfo(payload);
    else if (command == "CMD_havewrongversion")
        m_presence.havewrongversion(payload);
    else if (command == "CMD_wrongversion")
        m_session.wrongversion();
    else if (command == "CMD_existingplayers")
        m_presence.newplayerinfo(payload);
    else if (command == "CMD_playerdisconnected")
        m_presence.playerdisconnected(payload);
    else if (command == "CMD_startgame")
        m_turns.startthegame(payload);
    else if (command == "CMD_nextplayer")
        m_turns.getnextplayer(payload);
    else if (command == "CMD_winner")
        m_scores.winner(payload);
    else if (command == "CMD_full")
        m_session.gamefull();
    else if (command == "CMD_justwatching")
        m_presence.justwatching(payload);
    else if (command == "CMD_createdice")
        m_turns.createdice(payload);
    else if (command == "CMD_selectedcat")
        m_turns.selectedcat(payload);
    else if (command == "CMD_bonustime")
        m_scores.bonustime(payload);
    else if (command == "CMD_bonusend")
        m_scores.bonusend(payload);
    else if (command == "CMD_gotbonus")
        m_scores.gotbonus(payload);
    else if (command == "CMD_postscores")
        m_scores.postscore(payload);
    else if (command == "CMD_bramble")
        m_scores.bramble(payload);
    else if (command == "CMD_needcat")
        m_turns.needcat(payload);
    else if (command == "CMD_loadstats")
        m_lateJoin.loadstats(payload);
    else if (command == "CMD_loadscores")
        m_lateJoin.loadscores(payload);
    else
        return;
    m_state.port.boardChanged();
}

void TableClient::remindme1Click() {
    m_remindMe = !m_remindMe;
    m_state.port.writeSettings();
}

// ---------------------------------------------------------------------------------------
// Turn controls

void TableClient::button_rollClick() {
    const bool noCategory = m_state.board.workingCategory == 0;
    const int rolls = m_state.board.rollsUsed();
    if (m_state.myTurn() && noCategory && rolls == 2) {
        m_state.board.panelError1Visible = true;
        m_state.port.playsounds("error");
        m_state.port.boardChanged();
        return;
    }
    if (m_state.myTurn() && noCategory && rolls > 0) {
        if (m_remindMe) {
            m_state.board.panelErrorVisible = true;
            m_state.port.playsounds("error");
            m_state.port.boardChanged();
            return;
        }
        // Without a working category holds do not count: everything rolls again.
        for (int d = 1; d <= kDice; ++d) {
            m_state.board.die(d).held = false;
            m_state.board.die(d).top = kDieRestTop;
        }
    }
    if (m_state.myTurn() && m_state.loggedin) {
        std::vector<std::string> fields{std::to_string(m_state.myslot)};
        for (int d = 1; d <= kDice; ++d)
            if (!m_state.board.die(d).held) fields.push_back(std::to_string(d));
        if (fields.size() == 1) fields.push_back("0");
        m_state.port.send(buildMessage("CMD_rollthedice", fields));
    }
    m_state.board.rollVisible = false;
    m_state.turnseat = 0;
    m_state.port.boardChanged();
}

void TableClient::button_yesClick() {
    if (m_state.myTurn() && m_state.loggedin) {
        for (int d = 1; d <= kDice; ++d)
            m_state.board.die(d).top = kDieRestTop;
        m_state.port.send(buildMessage("CMD_rollthedice",
                                       {std::to_string(m_state.myslot), "1", "2", "3", "4", "5"}));
    }
    m_state.board.panelErrorVisible = false;
    m_state.board.rollVisible = false;
    m_state.turnseat = 0;
    m_state.port.boardChanged();
}

void TableClient::button_noClick() {
    m_state.board.panelErrorVisible = false;
    m_state.port.boardChanged();
}

void TableClient::button_okClick() {
    m_state.board.panelError1Visible = false;
    m_state.port.boardChanged();
}

void TableClient::image_dMouseUp(int die, MouseButton button) {
    if (!isDie(die) || button != MouseButton::Left || !m_state.myTurn() || m_state.animating)
        return;
    DieState& d = m_state.board.die(die);
    d.held = !d.held;
    d.top = d.held ? kDieRaisedTop : kDieRestTop;
    m_state.board.drawDie(die, DieBody::Plain);
    m_state.port.playsounds(d.held ? "set" : "unset");
    m_state.port.boardChanged();
}

void TableClient::categoryClick(int category) {
    if (!isCategory(category) || !m_state.loggedin || !m_state.myTurn()) return;
    if (!m_state.board.category(category).selectable) return;
    m_state.port.send(buildMessage(
        "CMD_selectcat", {std::to_string(m_state.myslot), std::to_string(category)}, true));
    m_state.turnseat = 0;
    m_state.port.boardChanged();
}

void TableClient::dicetimerTimer() {
    std::uniform_int_distribution<int> face(1, 6);
    for (int d = 1; d <= kDice; ++d) {
        DieState& die = m_state.board.die(d);
        die.body = DieBody::Plain;
        die.pips = face(m_rng);
    }
    m_state.port.boardChanged();
}

} // namespace core
