#include "client/tableclient.h"

#include "client/clientport.h"
#include "chat/colourtext.h"
#include "client/tablefields.h"
#include "net/fields.h"
#include "net/messages.h"

#include <array>

namespace core {

TableClient::TableClient(ClientPort& port, unsigned animationSeed, DiceCheck::Entropy sealEntropy)
    : m_state(port), m_session(m_state), m_presence(m_state), m_seatMenu(m_state), m_turns(m_state),
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
        m_state.port.addlinetochat(std::to_string(DiceCheck::kFailedLineSender) + "+" + line->text,
                                   kClRed);
    else
        m_state.chatLine("0+" + line->text);
}

// The chat lines and sounds go straight to the window; every other command word has one
// handler in the part that holds its job. Whatever a handler did, the board is redrawn.
void TableClient::handleMessage(std::string_view entry) {
    using Handler = void (*)(TableClient&, std::string_view);
    static constexpr std::array<msg::Route<Handler>, 31> kRoutes{{
        {msg::toClient::Sendlogininfo::word,
         [](TableClient& c, auto p) {
             c.m_seatReturn.beforeLogin(p);
             c.m_session.sendloginfo(p);
         }},
        {msg::toClient::Chat::word,
         [](TableClient& c, auto p) { c.m_state.port.chatrecieved(str(p)); }},
        {msg::toClient::Action::word,
         [](TableClient& c, auto p) { c.m_state.port.chatrecieved(str(p)); }},
        {msg::toClient::Playasound::word,
         [](TableClient& c, auto p) { c.m_state.port.playasound(str(p)); }},
        {msg::toClient::Newplayerinfo::word,
         [](TableClient& c, auto p) { c.m_presence.newplayerinfo(p); }},
        {msg::toClient::Havewrongversion::word,
         [](TableClient& c, auto p) { c.m_presence.havewrongversion(p); }},
        {msg::toClient::Wrongversion::word,
         [](TableClient& c, auto) { c.m_session.wrongversion(); }},
        {msg::toClient::Existingplayers::word,
         [](TableClient& c, auto p) { c.m_presence.newplayerinfo(p); }},
        {msg::toClient::Playerdisconnected::word,
         [](TableClient& c, auto p) { c.m_presence.playerdisconnected(p); }},
        {msg::toClient::Startgame::word, [](TableClient& c, auto p) { c.m_turns.startthegame(p); }},
        {msg::toClient::Nextplayer::word,
         [](TableClient& c, auto p) { c.m_turns.getnextplayer(p); }},
        {msg::toClient::Winner::word,
         [](TableClient& c, auto p) {
             c.m_scores.winner(p);
             c.m_coaching.gameOver();
         }},
        {msg::toClient::Full::word, [](TableClient& c, auto) { c.m_session.gamefull(); }},
        {msg::toClient::Justwatching::word,
         [](TableClient& c, auto p) { c.m_presence.justwatching(p); }},
        {msg::toClient::Createdice::word, [](TableClient& c, auto p) { c.m_turns.createdice(p); }},
        {msg::toClient::Selectedcat::word,
         [](TableClient& c, auto p) { c.m_turns.selectedcat(p); }},
        {msg::toClient::Bonustime::word, [](TableClient& c, auto p) { c.m_scores.bonustime(p); }},
        {msg::toClient::Bonusend::word, [](TableClient& c, auto p) { c.m_scores.bonusend(p); }},
        {msg::toClient::Gotbonus::word, [](TableClient& c, auto p) { c.m_scores.gotbonus(p); }},
        {msg::toClient::Postscores::word, [](TableClient& c, auto p) { c.m_scores.postscore(p); }},
        {msg::toClient::Bramble::word, [](TableClient& c, auto p) { c.m_scores.bramble(p); }},
        {msg::toClient::Needcat::word, [](TableClient& c, auto p) { c.m_turns.needcat(p); }},
        {msg::toClient::Loadstats::word, [](TableClient& c, auto p) { c.m_lateJoin.loadstats(p); }},
        {msg::toClient::Loadscores::word,
         [](TableClient& c, auto p) { c.m_lateJoin.loadscores(p); }},
        {msg::toClient::Seattoken::word,
         [](TableClient& c, auto p) { c.m_seatReturn.seattoken(p); }},
        {msg::toClient::Seatreclaimed::word,
         [](TableClient& c, auto p) { c.m_seatReturn.seatreclaimed(p); }},
        {msg::toClient::Seatheld::word, [](TableClient& c, auto p) { c.m_seatReturn.seatheld(p); }},
        {msg::toClient::Seatfreed::word,
         [](TableClient& c, auto p) { c.m_seatReturn.seatfreed(p); }},
        {msg::toClient::Sealcommit::word,
         [](TableClient& c, auto p) {
             if (auto part = c.m_diceCheck.sealcommit(p)) c.m_state.port.send(*part);
         }},
        {msg::toClient::Sealmix::word,
         [](TableClient& c, auto p) { c.diceCheckLine(c.m_diceCheck.sealmix(p, c.myslot())); }},
        {msg::toClient::Sealreveal::word,
         [](TableClient& c, auto p) { c.diceCheckLine(c.m_diceCheck.sealreveal(p, c.myslot())); }},
    }};
    static_assert(msg::coversExactly(kRoutes, msg::kToClient));

    auto [command, payload] = splitEntry(entry);
    const Handler* handler = msg::findHandler(kRoutes, command);
    if (!handler) return; // unknown command words and entries without "+"
    m_coaching.observe(command, payload);
    m_diceCheck.observe(command, payload);
    (*handler)(*this, payload);
    m_seatReturn.observe(command, payload);
    m_state.port.boardChanged();
}

} // namespace core
