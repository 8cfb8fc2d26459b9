// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/hostevents.h"

#include "net/fields.h"

#include <array>
#include <utility>

namespace core {

namespace {

using namespace fromHost;
using Decoder = HostEvent (*)(std::string_view payload);

template <typename Event, auto reader> HostEvent readBy(std::string_view payload) {
    return HostEvent(std::in_place_type<Event>, Event{reader(payload)});
}
template <typename Event, auto reader> HostEvent readWithText(std::string_view payload) {
    return HostEvent(std::in_place_type<Event>, Event{reader(payload), payload});
}
template <typename Event> HostEvent textOnly(std::string_view payload) {
    return HostEvent(std::in_place_type<Event>, Event{payload});
}
template <typename Event> HostEvent wordOnly(std::string_view) {
    return HostEvent(std::in_place_type<Event>);
}

// A row of the table: the event's word and how its payload is read. The event's fields are
// what one reader of the catalogue made of the payload, that and the payload as sent, the
// payload alone, or nothing.
template <typename Event, auto reader> constexpr msg::Route<Decoder> read() {
    return {Event::word, &readBy<Event, reader>};
}
template <typename Event, auto reader> constexpr msg::Route<Decoder> readKeepingText() {
    return {Event::word, &readWithText<Event, reader>};
}
template <typename Event> constexpr msg::Route<Decoder> keepText() {
    return {Event::word, &textOnly<Event>};
}
template <typename Event> constexpr msg::Route<Decoder> noFields() {
    return {Event::word, &wordOnly<Event>};
}

// Every call of the catalogue's readers in the table client is in this table.
constexpr std::array<msg::Route<Decoder>, 31> kRoutes{{
    read<Sendlogininfo, msg::readFirstNumber>(),
    readKeepingText<Chat, msg::toClient::Chat::read>(),
    readKeepingText<Action, msg::toClient::Chat::read>(),
    keepText<Playasound>(),
    read<Newplayerinfo, msg::toClient::Newplayerinfo::read>(),
    keepText<Havewrongversion>(),
    noFields<Wrongversion>(),
    read<Existingplayers, msg::toClient::Newplayerinfo::read>(),
    read<Playerdisconnected, msg::toClient::Playerdisconnected::read>(),
    read<Startgame, msg::toClient::Startgame::read>(),
    read<Nextplayer, msg::toClient::Nextplayer::read>(),
    read<Winner, msg::toClient::Winner::read>(),
    noFields<Full>(),
    read<Justwatching, msg::toClient::Justwatching::read>(),
    read<Createdice, msg::toClient::Createdice::read>(),
    read<Selectedcat, msg::toClient::Selectedcat::read>(),
    read<Bonustime, msg::toClient::Postscores::read>(),
    read<Bonusend, msg::toClient::Bonusend::read>(),
    read<Gotbonus, msg::toClient::Gotbonus::read>(),
    read<Postscores, msg::toClient::Postscores::read>(),
    read<Bramble, msg::toClient::Bramble::read>(),
    read<Needcat, msg::readFirstNumber>(),
    read<Loadstats, msg::toClient::Loadstats::read>(),
    read<Loadscores, msg::toClient::Loadscores::read>(),
    read<Seattoken, msg::toClient::Seattoken::read>(),
    read<Seatreclaimed, msg::readFirstNumber>(),
    read<Seatheld, msg::toClient::Seatheld::read>(),
    read<Seatfreed, msg::toClient::Seatfreed::read>(),
    read<Sealcommit, msg::toClient::Sealcommit::read>(),
    read<Sealmix, msg::toClient::Sealmix::read>(),
    read<Sealreveal, msg::toClient::Sealreveal::read>(),
}};
// Every word the host sends a table is read, once, into its own event (each event type names
// its word), and every event has its row.
static_assert(msg::coversExactly(kRoutes, msg::kToClient));
static_assert(kRoutes.size() == std::variant_size_v<HostEvent>);

} // namespace

std::optional<HostEvent> decodeHostEntry(std::string_view entry) {
    const auto [command, payload] = splitEntry(entry);
    const Decoder* decode = msg::findHandler(kRoutes, command);
    if (!decode) return std::nullopt; // unknown command words and entries without "+"
    return (*decode)(payload);
}

} // namespace core
