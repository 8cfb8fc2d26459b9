#include "client/tableclient.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "net/fields.h"

namespace core {

TableClient::TableClient(ClientPort& port, unsigned animationSeed)
    : m_state(port), m_session(m_state), m_presence(m_state), m_seatMenu(m_state), m_turns(m_state),
      m_scores(m_state), m_lateJoin(m_state, m_turns), m_controls(m_state, animationSeed),
      m_coaching(m_state) {}

// The chat lines and sounds go straight to the window; every other command word has one
// handler in the part that holds its job. Whatever a handler did, the board is redrawn.
void TableClient::handleMessage(std::string_view entry) {
    auto [command, payload] = splitEntry(entry);
    if (command.empty()) return;
    m_coaching.observe(command, payload);

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
    else if (command == "CMD_winner") {
        m_scores.winner(payload);
        m_coaching.gameOver();
    }
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

} // namespace core
