// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/tableclient.h"

#include "chat/colourtext.h"
#include "client/clientport.h"
#include "client/tablefields.h"

#include <type_traits>
#include <variant>

namespace core {

TableClient::TableClient(const ClientPorts& ports, unsigned animationSeed,
                         DiceCheck::Entropy sealEntropy)
    : m_state(ports), m_session(m_state), m_presence(m_state), m_seatMenu(m_state),
      m_turns(m_state), m_scores(m_state), m_lateJoin(m_state, m_turns),
      m_controls(m_state, animationSeed), m_coaching(m_state), m_seatReturn(m_state),
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
        m_state.presentation.addPlainLine(
            std::to_string(DiceCheck::kFailedLineSender) + "+" + line->text, kClRed);
    else
        m_state.presentation.addPlainLine("0+" + line->text, m_state.systemcolour);
}

namespace {

template <typename T, typename Variant> struct IsAlternative;
template <typename T, typename... A>
struct IsAlternative<T, std::variant<A...>> : std::bool_constant<(std::is_same_v<T, A> || ...)> {};

// Hands the event to the part's handler for its type, when one of those named takes it.
template <typename Event, typename Part, typename... Heard>
void hear(const Event& event, Part& part, void (Part::*... handler)(const Heard&)) {
    // A handler of anything else would never be called.
    static_assert((IsAlternative<Heard, HostEvent>::value && ...), "a handler takes a HostEvent");
    (
        [&] {
            if constexpr (std::is_same_v<Heard, Event>) (part.*handler)(event);
        }(),
        ...);
}

} // namespace

// The observers of a host message, in the order they hear it; each hears the events it names
// a handler for. The order is what the board and the chat show:
//   1. Coaching       startgame, createdice, selectedcat: judges our decisions on the board as
//                     it stood when they were taken, so it hears them before the board changes
//   2. DiceCheck      startgame, nextplayer, createdice, bramble, gotbonus, bonusend, loadstats:
//                     the dice shown and the rolls to check
//   3. DiceCheck's    sealcommit (our part of the seed to the host), sealmix and sealreveal
//      answers       (the check's lines in the chat)
//   4. SeatReturn     sendlogininfo: offers to hold our seat and asks for it back, before the
//                     login goes out
//   5. TableSession   sendlogininfo (our login), wrongversion, full
//   6. the chat view  chat, action, playasound, as they came
//   7. TablePresence  newplayerinfo, existingplayers, playerdisconnected, justwatching,
//                     havewrongversion
//   8. TurnDisplay    startgame, nextplayer, createdice, selectedcat, needcat
//   9. ScoreDisplay   bramble, postscores, bonustime, gotbonus, bonusend, winner
//  10. LateJoin       loadstats, loadscores
//  11. Coaching       winner: the review line, after the winner's
//  12. SeatReturn     seattoken, seatreclaimed, seatheld, seatfreed; startgame and winner end
//                     the token, newplayerinfo of our slot ends a reclaim the host did not take
//  13. the board is redrawn (ClientPort::boardChanged), whatever the message
//  14. the observers added with addObserver, in the order added: the window's spoken events,
//      which read the board as it now stands
template <typename Event> void TableClient::tellParts(const Event& e) {
    hear(e, m_coaching, &Coaching::startgame, &Coaching::createdice, &Coaching::selectedcat);
    hear(e, m_diceCheck, &DiceCheck::startgame, &DiceCheck::nextplayer, &DiceCheck::createdice,
         &DiceCheck::bramble, &DiceCheck::gotbonus, &DiceCheck::bonusend, &DiceCheck::loadstats);
    hear(e, *this, &TableClient::sealcommit, &TableClient::sealmix, &TableClient::sealreveal);
    hear(e, m_seatReturn, &SeatReturn::beforeLogin);
    hear(e, m_session, &TableSession::sendloginfo, &TableSession::wrongversion,
         &TableSession::gamefull);
    hear(e, *this, &TableClient::chatrecieved, &TableClient::actionrecieved,
         &TableClient::playasound);
    hear(e, m_presence, &TablePresence::newplayerinfo, &TablePresence::existingplayers,
         &TablePresence::playerdisconnected, &TablePresence::justwatching,
         &TablePresence::havewrongversion);
    hear(e, m_turns, &TurnDisplay::startthegame, &TurnDisplay::getnextplayer,
         &TurnDisplay::createdice, &TurnDisplay::selectedcat, &TurnDisplay::needcat);
    hear(e, m_scores, &ScoreDisplay::bramble, &ScoreDisplay::postscore, &ScoreDisplay::bonustime,
         &ScoreDisplay::gotbonus, &ScoreDisplay::bonusend, &ScoreDisplay::winner);
    hear(e, m_lateJoin, &LateJoin::loadstats, &LateJoin::loadscores);
    hear(e, m_coaching, &Coaching::winner);
    hear(e, m_seatReturn, &SeatReturn::seattoken, &SeatReturn::seatreclaimed, &SeatReturn::seatheld,
         &SeatReturn::seatfreed, &SeatReturn::startgame, &SeatReturn::winner,
         &SeatReturn::newplayerinfo);
}

void TableClient::handleMessage(std::string_view entry) {
    const auto event = decodeHostEntry(entry);
    if (!event) return; // unknown command words and entries without "+"
    std::visit([this](const auto& e) { tellParts(e); }, *event);
    m_state.presentation.boardChanged();
    // By index: an observer may add another while it hears.
    for (std::size_t i = 0; i < m_observers.size(); ++i)
        m_observers[i]->hostEvent(*event);
}

void TableClient::chatrecieved(const fromHost::Chat& e) {
    m_state.presentation.chatrecieved(str(e.payload));
}

void TableClient::actionrecieved(const fromHost::Action& e) {
    m_state.presentation.chatrecieved(str(e.payload));
}

void TableClient::playasound(const fromHost::Playasound& e) {
    m_state.presentation.playasound(str(e.payload));
}

void TableClient::sealcommit(const fromHost::Sealcommit& e) {
    if (auto part = m_diceCheck.sealcommit(e)) m_state.transport.send(*part);
}

void TableClient::sealmix(const fromHost::Sealmix& e) {
    diceCheckLine(m_diceCheck.sealmix(e, myslot()));
}

void TableClient::sealreveal(const fromHost::Sealreveal& e) {
    diceCheckLine(m_diceCheck.sealreveal(e, myslot()));
}

} // namespace core
