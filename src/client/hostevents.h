// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the host sends the table, read once: each host-to-client message becomes one typed
// event, a struct per command word, and the table client hands that event to its observers in
// turn (TableClient::handleMessage). No part cuts a payload into fields again.
//
// An event is read the way the board shows a message: the tolerant readers of
// net/toclient.h keep every field that converts and say where a repeated part stopped, and
// the seal and seat messages are read whole by their strict readers or not at all (`fields`
// is empty). Texts the table hands on as they came (a chat line, a chatter sound, a name) are
// views into the queue entry, so an event lives no longer than the entry it was read from.
//
//   auto event = core::decodeHostEntry("CMD_createdice+2+1+1+5+3+6");
//   // std::get<core::fromHost::Createdice>(*event).seat == 2, .rolls == 1, .dice == {{1,5},{3,6}}

#include "net/toclient.h"

#include <optional>
#include <string_view>
#include <variant>

namespace core {

namespace fromHost {

// A message a table acts on only when it is whole (held seats, sealed dice): its record, or
// nothing when the payload is not exactly its form.
template <typename Record> struct Whole {
    static constexpr std::string_view word = Record::word;
    std::optional<Record> fields;
};

struct Sendlogininfo {
    static constexpr std::string_view word = msg::toClient::Sendlogininfo::word;
    msg::OptInt slot;
};
struct Chat : msg::toClient::Chat {
    static constexpr std::string_view word = msg::toClient::Chat::word;
    std::string_view payload; // for the chat view, which reads the line itself
};
struct Action : msg::toClient::Chat {
    static constexpr std::string_view word = msg::toClient::Action::word;
    std::string_view payload;
};
struct Playasound {
    static constexpr std::string_view word = msg::toClient::Playasound::word;
    std::string_view payload; // the chatter sound as the sender named it
};
using Newplayerinfo = msg::toClient::Newplayerinfo;
struct Havewrongversion {
    static constexpr std::string_view word = msg::toClient::Havewrongversion::word;
    std::string_view name; // the whole payload
};
struct Wrongversion {
    static constexpr std::string_view word = msg::toClient::Wrongversion::word;
};
using Existingplayers = msg::toClient::Existingplayers; // read as Newplayerinfo is
using Playerdisconnected = msg::toClient::Playerdisconnected;
using Startgame = msg::toClient::Startgame;
using Nextplayer = msg::toClient::Nextplayer;
using Winner = msg::toClient::Winner;
struct Full {
    static constexpr std::string_view word = msg::toClient::Full::word;
};
using Justwatching = msg::toClient::Justwatching;
using Createdice = msg::toClient::Createdice;
using Selectedcat = msg::toClient::Selectedcat;
using Bonustime = msg::toClient::Bonustime; // read as Postscores is
using Bonusend = msg::toClient::Bonusend;
using Gotbonus = msg::toClient::Gotbonus;
using Postscores = msg::toClient::Postscores;
using Bramble = msg::toClient::Bramble;
struct Needcat {
    static constexpr std::string_view word = msg::toClient::Needcat::word;
    msg::OptInt seat;
};
using Loadstats = msg::toClient::Loadstats;
using Loadscores = msg::toClient::Loadscores;
using Seattoken = Whole<msg::toClient::Seattoken>;
struct Seatreclaimed {
    static constexpr std::string_view word = msg::toClient::Seatreclaimed::word;
    msg::OptInt seat;
};
using Seatheld = Whole<msg::toClient::Seatheld>;
using Seatfreed = Whole<msg::toClient::Seatfreed>;
using Sealcommit = Whole<msg::toClient::Sealcommit>;
using Sealmix = Whole<msg::toClient::Sealmix>;
using Sealreveal = Whole<msg::toClient::Sealreveal>;

} // namespace fromHost

// One message from the host. An alternative per host-to-client command word; the decode's
// table, built from these, is checked against msg::kToClient when it compiles.
using HostEvent =
    std::variant<fromHost::Sendlogininfo, fromHost::Chat, fromHost::Action, fromHost::Playasound,
                 fromHost::Newplayerinfo, fromHost::Havewrongversion, fromHost::Wrongversion,
                 fromHost::Existingplayers, fromHost::Playerdisconnected, fromHost::Startgame,
                 fromHost::Nextplayer, fromHost::Winner, fromHost::Full, fromHost::Justwatching,
                 fromHost::Createdice, fromHost::Selectedcat, fromHost::Bonustime,
                 fromHost::Bonusend, fromHost::Gotbonus, fromHost::Postscores, fromHost::Bramble,
                 fromHost::Needcat, fromHost::Loadstats, fromHost::Loadscores, fromHost::Seattoken,
                 fromHost::Seatreclaimed, fromHost::Seatheld, fromHost::Seatfreed,
                 fromHost::Sealcommit, fromHost::Sealmix, fromHost::Sealreveal>;

// One received queue entry (command word, "+", payload) as its event; nothing for an unknown
// command word or an entry without "+".
std::optional<HostEvent> decodeHostEntry(std::string_view entry);

// Something outside the table client's own parts that hears every host message once the board
// shows it (TableClient::addObserver).
class HostEventObserver {
public:
    virtual void hostEvent(const HostEvent& event) = 0;

protected:
    ~HostEventObserver() = default;
};

} // namespace core
