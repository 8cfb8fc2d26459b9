#include "client/tableclient.h"

#include "client/clientport.h"
#include "chat/colourtext.h"
#include "client/tablefields.h"
#include "net/fields.h"
#include "net/messages.h"

#include <array>

namespace core {

TableClient::TableClient(const ClientPorts& ports, unsigned animationSeed,
                         DiceCheck::Entropy sealEntropy)
    : m_state(ports), m_session(m_state), m_presence(m_state), m_seatMenu(m_state), m_turns(m_state),
      m_scores(m_state), m_lateJoin(m_state, m_turns), m_controls(m_state, animationSeed),
      m_coaching(m_state), m_seatReturn(m_state),
      m_diceCheck(std::move(sealEntropy)) {}

void TableClient::sockInfo(std::string_view text) {
    if (text == TableSession::kSocketClosed && m_seatReturn.connectionLost()) return;
    m_session.sockInfo(text);
}

void TableClient::reconnectFailed() {
    m_seatReturn.reconnectFailed();
    m_session.sockInfo(TableSession::kSocketClosed);
}

void TableClient::diceCheckLine(const std::optional<DiceCheck::Line>& line) {
    if (!line) return;
    if (line->failed)
        m_state.presentation.addlinetochat(std::to_string(DiceCheck::kFailedLineSender) + "+" + line->text,
                                   kClRed);
    else
        m_state.chatLine("0+" + line->text);
}

// The chat lines and sounds go straight to the window; every other command word has one
// handler in the part that holds its job. Whatever a handler did, the board is redrawn.
void TableClient::handleMessage(std::string_view entry) {
    using Handler = void (*)(TableClient&, std::string_view);
    static constexpr std::array<msg::Route<Handler>, 31> kRoutes{{
        {msg::cmd::sendlogininfo,
         [](TableClient& c, auto p) {
             c.m_seatReturn.beforeLogin(p);
             c.m_session.sendloginfo(p);
         }},
        {msg::cmd::chat, [](TableClient& c, auto p) { c.m_state.presentation.chatrecieved(str(p)); }},
        {msg::cmd::action, [](TableClient& c, auto p) { c.m_state.presentation.chatrecieved(str(p)); }},
        {msg::cmd::playasound, [](TableClient& c, auto p) { c.m_state.presentation.playasound(str(p)); }},
        {msg::cmd::newplayerinfo, [](TableClient& c, auto p) { c.m_presence.newplayerinfo(p); }},
        {msg::cmd::havewrongversion,
         [](TableClient& c, auto p) { c.m_presence.havewrongversion(p); }},
        {msg::cmd::wrongversion, [](TableClient& c, auto) { c.m_session.wrongversion(); }},
        {msg::cmd::existingplayers, [](TableClient& c, auto p) { c.m_presence.newplayerinfo(p); }},
        {msg::cmd::playerdisconnected,
         [](TableClient& c, auto p) { c.m_presence.playerdisconnected(p); }},
        {msg::cmd::startgame, [](TableClient& c, auto p) { c.m_turns.startthegame(p); }},
        {msg::cmd::nextplayer, [](TableClient& c, auto p) { c.m_turns.getnextplayer(p); }},
        {msg::cmd::winner,
         [](TableClient& c, auto p) {
             c.m_scores.winner(p);
             c.m_coaching.gameOver();
         }},
        {msg::cmd::full, [](TableClient& c, auto) { c.m_session.gamefull(); }},
        {msg::cmd::justwatching, [](TableClient& c, auto p) { c.m_presence.justwatching(p); }},
        {msg::cmd::createdice, [](TableClient& c, auto p) { c.m_turns.createdice(p); }},
        {msg::cmd::selectedcat, [](TableClient& c, auto p) { c.m_turns.selectedcat(p); }},
        {msg::cmd::bonustime, [](TableClient& c, auto p) { c.m_scores.bonustime(p); }},
        {msg::cmd::bonusend, [](TableClient& c, auto p) { c.m_scores.bonusend(p); }},
        {msg::cmd::gotbonus, [](TableClient& c, auto p) { c.m_scores.gotbonus(p); }},
        {msg::cmd::postscores, [](TableClient& c, auto p) { c.m_scores.postscore(p); }},
        {msg::cmd::bramble, [](TableClient& c, auto p) { c.m_scores.bramble(p); }},
        {msg::cmd::needcat, [](TableClient& c, auto p) { c.m_turns.needcat(p); }},
        {msg::cmd::loadstats, [](TableClient& c, auto p) { c.m_lateJoin.loadstats(p); }},
        {msg::cmd::loadscores, [](TableClient& c, auto p) { c.m_lateJoin.loadscores(p); }},
        {msg::cmd::seattoken, [](TableClient& c, auto p) { c.m_seatReturn.seattoken(p); }},
        {msg::cmd::seatreclaimed, [](TableClient& c, auto p) { c.m_seatReturn.seatreclaimed(p); }},
        {msg::cmd::seatheld, [](TableClient& c, auto p) { c.m_seatReturn.seatheld(p); }},
        {msg::cmd::seatfreed, [](TableClient& c, auto p) { c.m_seatReturn.seatfreed(p); }},
        {msg::cmd::sealcommit,
         [](TableClient& c, auto p) {
             if (auto part = c.m_diceCheck.sealcommit(p)) c.m_state.transport.send(*part);
         }},
        {msg::cmd::sealmix,
         [](TableClient& c, auto p) { c.diceCheckLine(c.m_diceCheck.sealmix(p, c.myslot())); }},
        {msg::cmd::sealreveal,
         [](TableClient& c, auto p) {
             c.diceCheckLine(c.m_diceCheck.sealreveal(p, c.myslot()));
         }},
    }};
    static_assert(msg::coversExactly(kRoutes, msg::kToClient));

    auto [command, payload] = splitEntry(entry);
    const Handler* handler = msg::findHandler(kRoutes, command);
    if (!handler) return; // unknown command words and entries without "+"
    m_coaching.observe(command, payload);
    m_diceCheck.observe(command, payload);
    (*handler)(*this, payload);
    m_seatReturn.observe(command, payload);
    m_state.presentation.boardChanged();
}

} // namespace core
