// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue's host-to-client half: one record per message the host sends, with its word,
// its fields, its builder (the host's side) and its reader (the table's side).
//
// The table reads tolerantly, because it shows whatever part of a message is sound (see
// ShownNumber, DiceTail in catalogue.h): read() always gives a record, with nullopt in a fixed
// field that did not convert and `complete` false where a repeated part (dice, categories,
// players, seats) stopped at its first bad entry. The messages of held seats and sealed dice
// are the exception: a table acts on them only when they are whole, so their read() is strict
// and gives nullopt for anything but the exact form.
//
//   core::msg::toClient::Createdice::build(2, 1, rolled)  -> "CMD_createdice+2+1+1+5+3+6"
//   core::msg::toClient::Createdice::read("2+1+1+5+3+6")  -> seat 2, rolls 1, {{1,5},{3,6}}

#include "net/catalogue.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core::msg {

// The first field as a number: the slot or seat that most messages open with. The whole of
// what the table reads of "CMD_sendlogininfo", "CMD_needcat" and "CMD_seatreclaimed".
OptInt readFirstNumber(std::string_view payload);

namespace toClient {

// --- login and presence -------------------------------------------------------------------------

// "CMD_sendlogininfo+SLOT": the slot a new connection was given; answer with a login.
struct Sendlogininfo {
    static constexpr std::string_view word = "CMD_sendlogininfo";
    static std::string build(int slot);
};

// "CMD_full+": all nine slots are taken; the connection closes.
struct Full {
    static constexpr std::string_view word = "CMD_full";
    static std::string build();
};

// "CMD_newplayerinfo+SLOT+NAME+0": somebody logged in.
struct Newplayerinfo {
    static constexpr std::string_view word = "CMD_newplayerinfo";
    std::vector<PlayerEntry> players; // watching: the flag field was "1"
    bool complete = true;
    static std::string build(int slot, std::string_view name);
    static Newplayerinfo read(std::string_view payload);
};

// "CMD_existingplayers+SLOT+NAME+WATCHING..." to the newcomer: who is already there. Read as
// "CMD_newplayerinfo" is. Not to be sent for an empty list.
struct Existingplayers : Newplayerinfo {
    static constexpr std::string_view word = "CMD_existingplayers";
    static std::string build(std::span<const PlayerEntry> players);
};

// "CMD_havewrongversion+NAME" to the hosting player; the payload is the name.
struct Havewrongversion {
    static constexpr std::string_view word = "CMD_havewrongversion";
    static std::string build(std::string_view name);
};

// "CMD_wrongversion+" to the player whose copy is another version.
struct Wrongversion {
    static constexpr std::string_view word = "CMD_wrongversion";
    static std::string build();
};

// "CMD_playerdisconnected+SLOT+NAME".
struct Playerdisconnected {
    static constexpr std::string_view word = "CMD_playerdisconnected";
    OptInt slot;
    std::string name; // everything after the slot
    static std::string build(int slot, std::string_view name);
    static Playerdisconnected read(std::string_view payload);
};

// "CMD_justwatching+SEAT+MODE": a seat's player watches (kJustWatchOn) or plays again.
struct Justwatching {
    static constexpr std::string_view word = "CMD_justwatching";
    OptInt seat;
    bool watching = false; // the mode field was "1"
    static std::string build(int seat, int mode);
    static Justwatching read(std::string_view payload);
};

// --- relays -------------------------------------------------------------------------------------

// "CMD_chat+SLOT+TEXT|STYLE": the text is the sender's name, " chats: " and what was received
// (which still carries its "|" and colour).
struct Chat {
    static constexpr std::string_view word = "CMD_chat";
    OptInt slot;
    std::string text; // everything after the slot: the line, "|" and its style
    static std::string build(int slot, std::string_view name, std::string_view said);
    // A line the table writes itself (sender 0), shown by every client in the given colour.
    static std::string tableLine(std::string_view text, std::string_view colourText);
    static Chat read(std::string_view payload);
};

// "CMD_action+SLOT+NAME TEXT|STYLE", read as "CMD_chat" is.
struct Action : Chat {
    static constexpr std::string_view word = "CMD_action";
    static std::string build(int slot, std::string_view name, std::string_view did);
};

// "CMD_playasound+SLOT+waveN+": rest is what followed the sender's slot, verbatim.
struct Playasound {
    static constexpr std::string_view word = "CMD_playasound";
    std::string slotText;  // the sender's slot as sent
    std::string soundName; // the field after it
    static std::string build(int slot, std::string_view rest);
    static Playasound read(std::string_view payload);
};

// --- the game -----------------------------------------------------------------------------------

// "CMD_startgame+NAME+LIMIT+".
struct Startgame {
    static constexpr std::string_view word = "CMD_startgame";
    std::string name;
    std::string limit; // shown as sent, even when it is not a number
    static std::string build(std::string_view name, int bonusLimit);
    static Startgame read(std::string_view payload);
};

// "CMD_nextplayer+SEAT+ROUND+CAT+CAT...": the categories still open to the seat, ascending;
// an empty list sends the single field 0.
struct Nextplayer {
    static constexpr std::string_view word = "CMD_nextplayer";
    OptInt seat;
    OptShown round;
    std::vector<int> open; // the closing 0 of an empty list included
    bool complete = true;
    static std::string build(int seat, int round, std::span<const int> open);
    static Nextplayer read(std::string_view payload);
};

// "CMD_createdice+SEAT+ROLLS+DIE+FACE...": the dice rolled, in the order named; none sends the
// fields 0, 0.
struct Createdice : DiceTail {
    static constexpr std::string_view word = "CMD_createdice";
    OptInt seat;
    OptInt rolls;
    static std::string build(int seat, int rolls, std::span<const DieFace> rolled);
    static Createdice read(std::string_view payload);
};

// "CMD_selectedcat+SEAT+CATEGORY+".
struct Selectedcat {
    static constexpr std::string_view word = "CMD_selectedcat";
    OptInt seat;
    OptInt category;
    static std::string build(int seat, int category);
    static Selectedcat read(std::string_view payload);
};

// "CMD_needcat+SEAT+" to the seat whose third roll needs a category first.
struct Needcat {
    static constexpr std::string_view word = "CMD_needcat";
    static std::string build(int seat);
};

// "CMD_postscores+SEAT+TOTAL+SCORE+CATEGORY+": a scored turn.
struct Postscores {
    static constexpr std::string_view word = "CMD_postscores";
    OptInt seat;
    OptShown total;
    OptShown score;
    OptInt category;
    static std::string build(int seat, int total, int score, int category);
    static Postscores read(std::string_view payload);
};

// "CMD_bonustime+SEAT+TOTAL+SCORE+CATEGORY+": a scored turn that starts bonus mode; read as
// "CMD_postscores" is.
struct Bonustime : Postscores {
    static constexpr std::string_view word = "CMD_bonustime";
    static std::string build(int seat, int total, int score, int category);
};

// "CMD_bramble+SEAT+TOTAL+SCORE+3+DIE+FACE x5": a straight on the first roll.
struct Bramble : DiceTail {
    static constexpr std::string_view word = "CMD_bramble";
    OptInt seat;
    OptShown total;
    OptShown score;
    OptInt rolls;
    static std::string build(int seat, int total, int score, const Faces& dice);
    static Bramble read(std::string_view payload);
};

// "CMD_gotbonus+SEAT+TOTAL+GAIN+CATEGORY+CATEGORYSCORE+DIE+FACE x5": a bonus roll that scored.
struct Gotbonus : DiceTail {
    static constexpr std::string_view word = "CMD_gotbonus";
    OptInt seat;
    OptShown total;
    OptShown gain;
    OptInt category;
    OptShown categoryScore;
    static std::string build(int seat, int total, int gain, int category, int categoryScore,
                             const Faces& dice);
    static Gotbonus read(std::string_view payload);
};

// "CMD_bonusend+SEAT+DIE+FACE x5": bonus mode is over, on a roll that gained nothing (its
// faces), or "CMD_bonusend+SEAT+0+0" because the limit was reached.
struct Bonusend : DiceTail {
    static constexpr std::string_view word = "CMD_bonusend";
    OptInt seat;
    static std::string build(int seat, const Faces& dice);
    static std::string buildByLimit(int seat);
    static Bonusend read(std::string_view payload);
};

// "CMD_winner+SEAT+SEAT...+0+": the winning seat then every other seat with the same total,
// ascending.
struct Winner {
    static constexpr std::string_view word = "CMD_winner";
    std::vector<int> seats; // the closing 0 included
    bool complete = true;
    static std::string build(std::span<const int> seats);
    static Winner read(std::string_view payload);
};

// --- the late joiner's catch-up -----------------------------------------------------------------

// "CMD_loadstats+SLOT+SEAT+LIMIT+ROLLS+ROUND+WORKINGCAT+DIE+FACE x5": the turn under way.
struct Loadstats : DiceTail {
    static constexpr std::string_view word = "CMD_loadstats";
    OptInt slot;
    OptInt seat;
    OptShown limit;
    OptInt rolls;
    OptShown round;
    OptInt workingcat;
    static std::string build(int slot, int currentSeat, int bonusLimit, int rolls, int round,
                             int workingcat, const Faces& dice);
    static Loadstats read(std::string_view payload);
};

// "CMD_loadscores+SLOT+SEAT*FLAG*ROW*VALUE*...*8*TOTAL+...": every seat's sheet.
struct Loadscores {
    static constexpr std::string_view word = "CMD_loadscores";
    struct Cell {
        int row = 0;
        ShownNumber value;
    };
    struct Seat {
        int seat = 0;
        std::string flag;        // "t" plays this game, "f" sits it out
        std::vector<Cell> cells; // up to the first bad pair; an odd last part is dropped
        bool complete = true;
    };
    OptInt slot;
    // Up to the first entry whose seat is bad, and ending with the first whose cells stopped.
    std::vector<Seat> seats;
    static std::string build(int slot, std::span<const SeatScores> seats);
    static Loadscores read(std::string_view payload);
};

// --- seats held for dropped players (only to copies that said "CMD_canholdseat") --------------

// "CMD_seattoken+SEAT+SECONDS+TOKEN" to the seated player only: the token of its seat for this
// game, and how long the seat is held after a drop.
struct Seattoken {
    static constexpr std::string_view word = "CMD_seattoken";
    int seat = 0;
    int seconds = 0;
    std::string token;
    static std::string build(int seat, int seconds, std::string_view token);
    static std::optional<Seattoken> read(std::string_view payload);
};

// "CMD_seatreclaimed+SEAT+": the connection now holds that seat.
struct Seatreclaimed {
    static constexpr std::string_view word = "CMD_seatreclaimed";
    static std::string build(int seat);
};

// "CMD_seatheld+SEAT+SECONDS+NAME": NAME dropped; the seat waits for them.
struct Seatheld {
    static constexpr std::string_view word = "CMD_seatheld";
    int seat = 0;
    int seconds = 0;
    std::string name;
    static std::string build(int seat, int seconds, std::string_view name);
    static std::optional<Seatheld> read(std::string_view payload);
};

// "CMD_seatfreed+SEAT+NAME": NAME did not come back in time.
struct Seatfreed {
    static constexpr std::string_view word = "CMD_seatfreed";
    int seat = 0;
    std::string name;
    static std::string build(int seat, std::string_view name);
    static std::optional<Seatfreed> read(std::string_view payload);
};

// --- sealed dice
// ---------------------------------------------------------------------------------- The host's
// commitment at a game's start (and to a late login), which parts went into the seed once the first
// face is drawn, and the secret at the game's end. The readers refuse anything but the exact form:
// a wrong length, a bad digit, a slot outside 1..9 or named twice, a negative number. Copies
// without them ignore them.

// "CMD_sealcommit+GAME+COMMITMENT+POSITION" (64 hex digits, the stream's position).
struct Sealcommit {
    static constexpr std::string_view word = "CMD_sealcommit";
    int game = 0;
    SealBytes32 commitment{};
    std::uint64_t position = 0;
    static std::string build(int game, const SealBytes32& commitment, std::uint64_t position);
    static std::optional<Sealcommit> read(std::string_view payload);
};

// "CMD_sealmix+GAME" then "+SLOT+PART" (32 hex digits) per part.
struct Sealmix {
    static constexpr std::string_view word = "CMD_sealmix";
    int game = 0;
    std::vector<SealPart> parts;
    static std::string build(int game, std::span<const SealPart> parts);
    static std::optional<Sealmix> read(std::string_view payload);
};

// "CMD_sealreveal+GAME+SECRET" (64 hex digits), when the game is over or abandoned.
struct Sealreveal {
    static constexpr std::string_view word = "CMD_sealreveal";
    int game = 0;
    SealBytes32 secret{};
    static std::string build(int game, const SealBytes32& secret);
    static std::optional<Sealreveal> read(std::string_view payload);
};

} // namespace toClient

// The words the table's dispatch table covers.
inline constexpr auto kToClient =
    wordsOf<toClient::Sendlogininfo, toClient::Chat, toClient::Action, toClient::Playasound,
            toClient::Newplayerinfo, toClient::Havewrongversion, toClient::Wrongversion,
            toClient::Existingplayers, toClient::Playerdisconnected, toClient::Startgame,
            toClient::Nextplayer, toClient::Winner, toClient::Full, toClient::Justwatching,
            toClient::Createdice, toClient::Selectedcat, toClient::Bonustime, toClient::Bonusend,
            toClient::Gotbonus, toClient::Postscores, toClient::Bramble, toClient::Needcat,
            toClient::Loadstats, toClient::Loadscores, toClient::Seattoken, toClient::Seatreclaimed,
            toClient::Seatheld, toClient::Seatfreed, toClient::Sealcommit, toClient::Sealmix,
            toClient::Sealreveal>();

} // namespace core::msg
