#include "client/hostevents.h"

#include "net/fields.h"

#include <array>
#include <type_traits>
#include <utility>

namespace core {

namespace {

using namespace fromHost;
template <typename Event> using As = std::type_identity<Event>;
using P = std::string_view;

// How each message is read. This is the one place of the table client that calls the
// readers of the message catalogue.
Sendlogininfo read(As<Sendlogininfo>, P p) {
    return {msg::readFirstNumber(p)};
}
Chat read(As<Chat>, P p) {
    return {msg::readChat(p), p};
}
Action read(As<Action>, P p) {
    return {msg::readChat(p), p};
}
Playasound read(As<Playasound>, P p) {
    return {p};
}
Newplayerinfo read(As<Newplayerinfo>, P p) {
    return {msg::readPlayers(p)};
}
Havewrongversion read(As<Havewrongversion>, P p) {
    return {p};
}
Wrongversion read(As<Wrongversion>, P) {
    return {};
}
Existingplayers read(As<Existingplayers>, P p) {
    return {msg::readPlayers(p)};
}
Playerdisconnected read(As<Playerdisconnected>, P p) {
    return {msg::readPlayerdisconnected(p)};
}
Startgame read(As<Startgame>, P p) {
    return {msg::readStartgame(p)};
}
Nextplayer read(As<Nextplayer>, P p) {
    return {msg::readNextplayer(p)};
}
Winner read(As<Winner>, P p) {
    return {msg::readWinner(p)};
}
Full read(As<Full>, P) {
    return {};
}
Justwatching read(As<Justwatching>, P p) {
    return {msg::readJustwatching(p)};
}
Createdice read(As<Createdice>, P p) {
    return {msg::readCreatedice(p)};
}
Selectedcat read(As<Selectedcat>, P p) {
    return {msg::readSelectedcat(p)};
}
Bonustime read(As<Bonustime>, P p) {
    return {msg::readScorePost(p)};
}
Bonusend read(As<Bonusend>, P p) {
    return {msg::readBonusend(p)};
}
Gotbonus read(As<Gotbonus>, P p) {
    return {msg::readGotbonus(p)};
}
Postscores read(As<Postscores>, P p) {
    return {msg::readScorePost(p)};
}
Bramble read(As<Bramble>, P p) {
    return {msg::readBramble(p)};
}
Needcat read(As<Needcat>, P p) {
    return {msg::readFirstNumber(p)};
}
Loadstats read(As<Loadstats>, P p) {
    return {msg::readLoadstats(p)};
}
Loadscores read(As<Loadscores>, P p) {
    return {msg::readLoadscores(p)};
}
Seattoken read(As<Seattoken>, P p) {
    return {msg::parseSeattoken(p)};
}
Seatreclaimed read(As<Seatreclaimed>, P p) {
    return {msg::readFirstNumber(p)};
}
Seatheld read(As<Seatheld>, P p) {
    return {msg::parseSeatheld(p)};
}
Seatfreed read(As<Seatfreed>, P p) {
    return {msg::parseSeatfreed(p)};
}
Sealcommit read(As<Sealcommit>, P p) {
    return {msg::parseSealcommit(p)};
}
Sealmix read(As<Sealmix>, P p) {
    return {msg::parseSealmix(p)};
}
Sealreveal read(As<Sealreveal>, P p) {
    return {msg::parseSealreveal(p)};
}

using Decoder = HostEvent (*)(std::string_view payload);

template <typename Event> HostEvent decodeAs(std::string_view payload) {
    return HostEvent(std::in_place_type<Event>, read(As<Event>{}, payload));
}

// A row per alternative of HostEvent: its command word and its reading.
template <std::size_t... I> constexpr auto routes(std::index_sequence<I...>) {
    return std::array<msg::Route<Decoder>, sizeof...(I)>{
        {{std::variant_alternative_t<I, HostEvent>::word,
          &decodeAs<std::variant_alternative_t<I, HostEvent>>}...}};
}
constexpr auto kRoutes = routes(std::make_index_sequence<std::variant_size_v<HostEvent>>{});
// Every word the host sends to a table has its event, and no event another word.
static_assert(msg::coversExactly(kRoutes, msg::kToClient));

} // namespace

std::optional<HostEvent> decodeHostEntry(std::string_view entry) {
    const auto [command, payload] = splitEntry(entry);
    const Decoder* decode = msg::findHandler(kRoutes, command);
    if (!decode) return std::nullopt; // unknown command words and entries without "+"
    return (*decode)(payload);
}

} // namespace core
