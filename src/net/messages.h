#pragma once
// The message catalogue: every command word of the game protocol and the words of each
// direction (which each side's dispatch table must cover), a builder for every message in both
// directions, and parsers that turn a payload (the text after the command word's "+") into a
// struct.
//
// Builders return the message text without the terminator; the transport frames it.
// Parsers return nullopt when a field that must be a number does not convert; they accept a
// message with or without its closing "+".
//
//   core::msg::cmd::rollthedice            "CMD_rollthedice"
//   core::msg::toHost::rollthedice(3, {1, 4})   -> "CMD_rollthedice+3+1+4"
//   core::msg::toClient::createdice(...)        (what the host sends)
//   core::msg::parseJustwatch(payload)          (what the host reads)

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core::msg {

namespace cmd {
// Client to host.
inline constexpr std::string_view logininfo = "CMD_logininfo";
inline constexpr std::string_view kickhim = "CMD_kickhim";
inline constexpr std::string_view chat = "CMD_chat";             // both directions
inline constexpr std::string_view playasound = "CMD_playasound"; // both directions
inline constexpr std::string_view action = "CMD_action";         // both directions
inline constexpr std::string_view startgame = "CMD_startgame";   // both directions
inline constexpr std::string_view justwatch = "CMD_justwatch";
inline constexpr std::string_view rollthedice = "CMD_rollthedice";
inline constexpr std::string_view selectcat = "CMD_selectcat";
// Client to host, coming back after a drop (seatmessages.h).
inline constexpr std::string_view canholdseat = "CMD_canholdseat";
inline constexpr std::string_view reclaimseat = "CMD_reclaimseat";
// Host to client.
inline constexpr std::string_view sendlogininfo = "CMD_sendlogininfo";
inline constexpr std::string_view newplayerinfo = "CMD_newplayerinfo";
inline constexpr std::string_view havewrongversion = "CMD_havewrongversion";
inline constexpr std::string_view wrongversion = "CMD_wrongversion";
inline constexpr std::string_view existingplayers = "CMD_existingplayers";
inline constexpr std::string_view playerdisconnected = "CMD_playerdisconnected";
inline constexpr std::string_view nextplayer = "CMD_nextplayer";
inline constexpr std::string_view winner = "CMD_winner";
inline constexpr std::string_view full = "CMD_full";
inline constexpr std::string_view justwatching = "CMD_justwatching";
inline constexpr std::string_view createdice = "CMD_createdice";
inline constexpr std::string_view selectedcat = "CMD_selectedcat";
inline constexpr std::string_view bonustime = "CMD_bonustime";
inline constexpr std::string_view bonusend = "CMD_bonusend";
inline constexpr std::string_view gotbonus = "CMD_gotbonus";
inline constexpr std::string_view postscores = "CMD_postscores";
inline constexpr std::string_view bramble = "CMD_bramble";
inline constexpr std::string_view needcat = "CMD_needcat";
inline constexpr std::string_view loadstats = "CMD_loadstats";
inline constexpr std::string_view loadscores = "CMD_loadscores";
// Host to client, seats held for dropped players (seatmessages.h).
inline constexpr std::string_view seattoken = "CMD_seattoken";
inline constexpr std::string_view seatreclaimed = "CMD_seatreclaimed";
inline constexpr std::string_view seatheld = "CMD_seatheld";
inline constexpr std::string_view seatfreed = "CMD_seatfreed";
// Sealed dice: the host's commitment, which parts went into the seed, and the secret at the
// game's end; the tables' parts go the other way. Copies without them ignore them.
inline constexpr std::string_view sealpart = "CMD_sealpart"; // client to host
inline constexpr std::string_view sealcommit = "CMD_sealcommit";
inline constexpr std::string_view sealmix = "CMD_sealmix";
inline constexpr std::string_view sealreveal = "CMD_sealreveal";
} // namespace cmd

// The command words of each direction. A side's dispatch table handles each word of its
// direction exactly once and nothing else; coversExactly() checks that when it compiles.
inline constexpr std::array<std::string_view, 12> kToHost{
    cmd::logininfo, cmd::kickhim,   cmd::chat,        cmd::playasound, cmd::action,
    cmd::startgame, cmd::justwatch, cmd::rollthedice, cmd::selectcat,
    cmd::canholdseat, cmd::reclaimseat,
    cmd::sealpart};
inline constexpr std::array<std::string_view, 31> kToClient{cmd::sendlogininfo,
                                                            cmd::chat,
                                                            cmd::action,
                                                            cmd::playasound,
                                                            cmd::newplayerinfo,
                                                            cmd::havewrongversion,
                                                            cmd::wrongversion,
                                                            cmd::existingplayers,
                                                            cmd::playerdisconnected,
                                                            cmd::startgame,
                                                            cmd::nextplayer,
                                                            cmd::winner,
                                                            cmd::full,
                                                            cmd::justwatching,
                                                            cmd::createdice,
                                                            cmd::selectedcat,
                                                            cmd::bonustime,
                                                            cmd::bonusend,
                                                            cmd::gotbonus,
                                                            cmd::postscores,
                                                            cmd::bramble,
                                                            cmd::needcat,
                                                            cmd::loadstats,
                                                            cmd::loadscores,
                                                            cmd::seattoken,
                                                            cmd::seatreclaimed,
                                                            cmd::seatheld,
                                                            cmd::seatfreed,
                                                            cmd::sealcommit,
                                                            cmd::sealmix,
                                                            cmd::sealreveal};

// One row of a side's dispatch table: a command word and its handler. The rows are compared
// in table order, exactly and case-sensitively.
template <typename Handler> struct Route {
    std::string_view command;
    Handler handler;
};

// The handler of a command word; nullptr when the table has no row for it.
template <typename Handler, std::size_t N>
constexpr const Handler* findHandler(const std::array<Route<Handler>, N>& table,
                                     std::string_view command) {
    for (const auto& route : table)
        if (route.command == command) return &route.handler;
    return nullptr;
}

// True when the table has exactly one row for each of the direction's words and no other row.
template <typename Handler, std::size_t N, std::size_t M>
constexpr bool coversExactly(const std::array<Route<Handler>, N>& table,
                             const std::array<std::string_view, M>& words) {
    if (N != M) return false;
    for (auto word : words) {
        int rows = 0;
        for (const auto& route : table)
            if (route.command == word) ++rows;
        if (rows != 1) return false;
    }
    return true;
}

// The mode field of "CMD_justwatch" and "CMD_justwatching".
inline constexpr int kJustWatchOn = 1;
inline constexpr int kJustWatchOff = 2;

// The faces of dice 1..5 (index 0 unused), as the host keeps them; 0 = not rolled yet.
using Faces = std::array<int, 6>;

struct DieFace {
    int die = 0;
    int face = 0;
    bool operator==(const DieFace&) const = default;
};

// One player in "CMD_newplayerinfo" / "CMD_existingplayers".
struct PlayerEntry {
    int slot = 0;
    std::string name;
    bool watching = false;
    bool operator==(const PlayerEntry&) const = default;
};

// One seat's entry in "CMD_loadscores": in-game flag and rows 1..8 (8 = running total).
struct SeatScores {
    int seat = 0;
    bool ingame = false;
    std::array<int, 9> rows{}; // index 1..8; -1 = not yet scored
    bool operator==(const SeatScores&) const = default;
};

// ---------------------------------------------------------------------------------------------
// Client to host.
namespace toHost {
std::string logininfo(int slot, std::string_view version, std::string_view name);
std::string kickhim(int senderSlot, int targetSlot);
// chatText is the typed text followed by "|" and the colour text.
std::string chat(int slot, std::string_view chatText);
std::string action(int slot, std::string_view chatText);
std::string playasound(int slot, int soundNumber); // "wave" + number
std::string startgame(std::string_view name, int bonusLimit);
std::string justwatch(int seat, int mode); // 1 just watch, 2 play again
// dice: the dice to roll, 1..5 in the order named; empty sends the single field 0.
std::string rollthedice(int seat, std::span<const int> dice);
std::string selectcat(int seat, int category);
} // namespace toHost

// Host to client.
namespace toClient {
std::string sendlogininfo(int slot);
std::string full();
std::string newplayerinfo(int slot, std::string_view name);
// Not to be sent for an empty list.
std::string existingplayers(std::span<const PlayerEntry> players);
std::string havewrongversion(std::string_view name);
std::string wrongversion();
std::string loadstats(int slot, int currentSeat, int bonusLimit, int rolls, int round,
                      int workingcat, const Faces& dice);
std::string loadscores(int slot, std::span<const SeatScores> seats);
std::string playerdisconnected(int slot, std::string_view name);
std::string justwatching(int seat, int mode);
// The relays: the text part is the sender's name, " chats: " / " " and what was received
// (which still carries its "|" and colour).
std::string chat(int slot, std::string_view name, std::string_view said);
std::string action(int slot, std::string_view name, std::string_view did);
// A line the table writes itself (sender 0), shown by every client in the given colour.
std::string tableLine(std::string_view text, std::string_view colourText);
// rest: the received payload after the slot, verbatim ("wave5+").
std::string playasound(int slot, std::string_view rest);
std::string startgame(std::string_view name, int bonusLimit);
// open: the categories still open to the seat, ascending; empty sends the single field 0.
std::string nextplayer(int seat, int round, std::span<const int> open);
std::string selectedcat(int seat, int category);
std::string needcat(int seat);
// rolled: the dice rolled, in the order named; empty sends the fields 0, 0.
std::string createdice(int seat, int rolls, std::span<const DieFace> rolled);
std::string bramble(int seat, int total, int score, const Faces& dice);
std::string postscores(int seat, int total, int score, int category);
std::string bonustime(int seat, int total, int score, int category);
std::string gotbonus(int seat, int total, int gain, int category, int categoryScore,
                     const Faces& dice);
// A bonus that ended on a roll that gained nothing carries that roll's faces.
std::string bonusend(int seat, const Faces& dice);
// A bonus that ended because the limit was reached.
std::string bonusendByLimit(int seat);
// seats: the winning seat then every other seat with the same total, ascending.
std::string winner(std::span<const int> seats);
} // namespace toClient

// ---------------------------------------------------------------------------------------------
// Parsers of client requests (the host's side).

struct Logininfo {
    int slot = 0;
    std::string version;
    std::string name; // everything after the version, "+" included
};
std::optional<Logininfo> parseLogininfo(std::string_view payload);

struct Kickhim {
    int sender = 0;
    int target = 0;
};
std::optional<Kickhim> parseKickhim(std::string_view payload);

// "CMD_chat", "CMD_action", "CMD_playasound" in either direction: the slot, then everything
// else verbatim.
struct SlotAndRest {
    int slot = 0;
    std::string rest;
};
std::optional<SlotAndRest> parseSlotAndRest(std::string_view payload);

struct Justwatch {
    int seat = 0;
    int mode = 0;
};
std::optional<Justwatch> parseJustwatch(std::string_view payload);

// ---------------------------------------------------------------------------------------------
// Readers of the late joiner's catch-up.

struct Loadstats {
    int slot = 0;
    int currentSeat = 0;
    int bonusLimit = 0;
    int rolls = 0;
    int round = 0;
    int workingcat = 0;
    std::vector<DieFace> dice; // five pairs
};
std::optional<Loadstats> parseLoadstats(std::string_view payload);

struct Loadscores {
    int slot = 0;
    std::vector<SeatScores> seats;
};
std::optional<Loadscores> parseLoadscores(std::string_view payload);

// ---------------------------------------------------------------------------------------------
// Sealed dice. Binary values travel as lower-case hexadecimal.
//   "CMD_sealcommit+<game>+<commitment, 64 hex>+<stream position>"  host: game start, late login
//   "CMD_sealpart+<game>+<part, 32 hex>"                            table: answer to the above
//   "CMD_sealmix+<game>" then "+<slot>+<part, 32 hex>" per part     host: seed fixed (1st roll)
//   "CMD_sealreveal+<game>+<secret, 64 hex>"                        host: game over or abandoned

using SealBytes32 = std::array<std::uint8_t, 32>;
using SealBytes16 = std::array<std::uint8_t, 16>;

struct SealPart {
    int slot = 0;
    SealBytes16 bytes{};
    bool operator==(const SealPart&) const = default;
};

namespace toHost {
std::string sealpart(int game, const SealBytes16& part);
}
namespace toClient {
std::string sealcommit(int game, const SealBytes32& commitment, std::uint64_t position);
std::string sealmix(int game, std::span<const SealPart> parts);
std::string sealreveal(int game, const SealBytes32& secret);
} // namespace toClient

// The parsers refuse anything but the exact form above: a wrong length, a bad digit, a slot
// outside 1..9 or named twice, a negative number.
struct Sealcommit {
    int game = 0;
    SealBytes32 commitment{};
    std::uint64_t position = 0;
};
std::optional<Sealcommit> parseSealcommit(std::string_view payload);

struct Sealpart {
    int game = 0;
    SealBytes16 part{};
};
std::optional<Sealpart> parseSealpart(std::string_view payload);

struct Sealmix {
    int game = 0;
    std::vector<SealPart> parts;
};
std::optional<Sealmix> parseSealmix(std::string_view payload);

struct Sealreveal {
    int game = 0;
    SealBytes32 secret{};
};
std::optional<Sealreveal> parseSealreveal(std::string_view payload);

} // namespace core::msg
