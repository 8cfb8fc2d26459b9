#pragma once
// What the host sends the table, read once: each host-to-client message becomes one typed
// event, a struct per command word, and the table client hands that event to its observers in
// turn (TableClient::handleMessage). No part cuts a payload into fields again.
//
// An event is read the way the board shows a message: the tolerant readers of
// net/hostreplies.h keep every field that converts and say where a repeated part stopped, and
// the seal and seat messages are read whole by their strict readers or not at all (`fields`
// is empty). Texts the table hands on as they came (a chat line, a chatter sound, a name) are
// views into the queue entry, so an event lives no longer than the entry it was read from.
//
//   auto event = core::decodeHostEntry("CMD_createdice+2+1+1+5+3+6");
//   // std::get<core::fromHost::Createdice>(*event).seat == 2, .rolls == 1, .dice == {{1,5},{3,6}}

#include "net/hostreplies.h"
#include "net/messages.h"
#include "net/seatmessages.h"

#include <optional>
#include <string_view>
#include <variant>

namespace core {

namespace fromHost {

struct Sendlogininfo {
    static constexpr std::string_view word = msg::cmd::sendlogininfo;
    msg::OptInt slot;
};
struct Chat : msg::Said {
    static constexpr std::string_view word = msg::cmd::chat;
    std::string_view payload; // for the chat view, which reads the line itself
};
struct Action : msg::Said {
    static constexpr std::string_view word = msg::cmd::action;
    std::string_view payload;
};
struct Playasound {
    static constexpr std::string_view word = msg::cmd::playasound;
    std::string_view payload; // the chatter sound as the sender named it
};
struct Newplayerinfo : msg::PlayerList {
    static constexpr std::string_view word = msg::cmd::newplayerinfo;
};
struct Havewrongversion {
    static constexpr std::string_view word = msg::cmd::havewrongversion;
    std::string_view name; // the whole payload
};
struct Wrongversion {
    static constexpr std::string_view word = msg::cmd::wrongversion;
};
struct Existingplayers : msg::PlayerList {
    static constexpr std::string_view word = msg::cmd::existingplayers;
};
struct Playerdisconnected : msg::Departure {
    static constexpr std::string_view word = msg::cmd::playerdisconnected;
};
struct Startgame : msg::GameStart {
    static constexpr std::string_view word = msg::cmd::startgame;
};
struct Nextplayer : msg::NextTurn {
    static constexpr std::string_view word = msg::cmd::nextplayer;
};
struct Winner : msg::Winners {
    static constexpr std::string_view word = msg::cmd::winner;
};
struct Full {
    static constexpr std::string_view word = msg::cmd::full;
};
struct Justwatching : msg::WatchChange {
    static constexpr std::string_view word = msg::cmd::justwatching;
};
struct Createdice : msg::Roll {
    static constexpr std::string_view word = msg::cmd::createdice;
};
struct Selectedcat : msg::CategoryChoice {
    static constexpr std::string_view word = msg::cmd::selectedcat;
};
struct Bonustime : msg::ScorePost {
    static constexpr std::string_view word = msg::cmd::bonustime;
};
struct Bonusend : msg::BonusEnd {
    static constexpr std::string_view word = msg::cmd::bonusend;
};
struct Gotbonus : msg::BonusGain {
    static constexpr std::string_view word = msg::cmd::gotbonus;
};
struct Postscores : msg::ScorePost {
    static constexpr std::string_view word = msg::cmd::postscores;
};
struct Bramble : msg::BrambleRoll {
    static constexpr std::string_view word = msg::cmd::bramble;
};
struct Needcat {
    static constexpr std::string_view word = msg::cmd::needcat;
    msg::OptInt seat;
};
struct Loadstats : msg::TurnCatchUp {
    static constexpr std::string_view word = msg::cmd::loadstats;
};
struct Loadscores : msg::SheetCatchUp {
    static constexpr std::string_view word = msg::cmd::loadscores;
};
struct Seattoken {
    static constexpr std::string_view word = msg::cmd::seattoken;
    std::optional<msg::SeatTokenFields> fields;
};
struct Seatreclaimed {
    static constexpr std::string_view word = msg::cmd::seatreclaimed;
    msg::OptInt seat;
};
struct Seatheld {
    static constexpr std::string_view word = msg::cmd::seatheld;
    std::optional<msg::SeatHeldFields> fields;
};
struct Seatfreed {
    static constexpr std::string_view word = msg::cmd::seatfreed;
    std::optional<msg::SeatHeldFields> fields;
};
struct Sealcommit {
    static constexpr std::string_view word = msg::cmd::sealcommit;
    std::optional<msg::Sealcommit> fields;
};
struct Sealmix {
    static constexpr std::string_view word = msg::cmd::sealmix;
    std::optional<msg::Sealmix> fields;
};
struct Sealreveal {
    static constexpr std::string_view word = msg::cmd::sealreveal;
    std::optional<msg::Sealreveal> fields;
};

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
