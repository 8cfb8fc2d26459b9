#pragma once
// The message catalogue: every command word of the game protocol, the order in which each side
// compares them, a builder for every message in both directions, and parsers that turn a
// payload (the text after the command word's "+") into a struct.
//
// Builders return the message text without the terminator; the transport frames it.
// Parsers return nullopt when a field that must be a number does not convert; they accept a
// message with or without its closing "+".
//
//   core::msg::cmd::rollthedice            "CMD_rollthedice"
//   core::msg::toHost::rollthedice(3, {1, 4})   -> "CMD_rollthedice+3+1+4"
//   core::msg::toClient::createdice(...)        (what the host sends)
//   core::msg::parseCreatedice(payload)         (what the client reads)

#include <array>
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
} // namespace cmd

// The order in which the host compares a received command word.
inline constexpr std::array<std::string_view, 9> kHostDispatchOrder{
    cmd::logininfo, cmd::kickhim,   cmd::chat,        cmd::playasound, cmd::action,
    cmd::startgame, cmd::justwatch, cmd::rollthedice, cmd::selectcat};

// The order in which the table client compares a received command word.
inline constexpr std::array<std::string_view, 24> kClientDispatchOrder{cmd::sendlogininfo,
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
                                                                       cmd::loadscores};

// Position of a command word in a dispatch order (exact, case-sensitive); -1 when unknown.
template <std::size_t N>
constexpr int dispatchIndex(const std::array<std::string_view, N>& order,
                            std::string_view command) {
    for (std::size_t i = 0; i < N; ++i)
        if (order[i] == command) return static_cast<int>(i);
    return -1;
}

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

struct Startgame {
    std::string name;
    int bonusLimit = 0;
};
std::optional<Startgame> parseStartgame(std::string_view payload); // both directions

struct Justwatch {
    int seat = 0;
    int mode = 0;
};
std::optional<Justwatch> parseJustwatch(std::string_view payload);    // request
std::optional<Justwatch> parseJustwatching(std::string_view payload); // announcement

struct Rollthedice {
    int seat = 0;
    std::vector<int> dice; // empty for the single field 0
};
std::optional<Rollthedice> parseRollthedice(std::string_view payload);

struct SeatCategory {
    int seat = 0;
    int category = 0;
};
std::optional<SeatCategory> parseSelectcat(std::string_view payload);
std::optional<SeatCategory> parseSelectedcat(std::string_view payload);

// ---------------------------------------------------------------------------------------------
// Parsers of host messages (the client's side).

std::optional<int> parseSendlogininfo(std::string_view payload);
// "CMD_newplayerinfo" and "CMD_existingplayers": the triples before the first bad one.
std::vector<PlayerEntry> parsePlayerList(std::string_view payload);

struct Playerdisconnected {
    int slot = 0;
    std::string name;
};
std::optional<Playerdisconnected> parsePlayerdisconnected(std::string_view payload);

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

struct Nextplayer {
    int seat = 0;
    int round = 0;
    std::vector<int> open; // empty for the single field 0
};
std::optional<Nextplayer> parseNextplayer(std::string_view payload);

std::optional<int> parseNeedcat(std::string_view payload);

struct Createdice {
    int seat = 0;
    int rolls = 0;
    std::vector<DieFace> rolled; // empty for the fields 0, 0
};
std::optional<Createdice> parseCreatedice(std::string_view payload);

struct Bramble {
    int seat = 0;
    int total = 0;
    int score = 0;
    int rolls = 0;
    std::vector<DieFace> dice;
};
std::optional<Bramble> parseBramble(std::string_view payload);

// "CMD_postscores" and "CMD_bonustime".
struct Scored {
    int seat = 0;
    int total = 0;
    int score = 0;
    int category = 0;
};
std::optional<Scored> parsePostscores(std::string_view payload);
std::optional<Scored> parseBonustime(std::string_view payload);

struct Gotbonus {
    int seat = 0;
    int total = 0;
    int gain = 0;
    int category = 0;
    int categoryScore = 0;
    std::vector<DieFace> dice;
};
std::optional<Gotbonus> parseGotbonus(std::string_view payload);

struct Bonusend {
    int seat = 0;
    std::vector<DieFace> dice; // empty when the limit ended it (fields 0, 0)
};
std::optional<Bonusend> parseBonusend(std::string_view payload);

// The winning seats in message order, the closing 0 left out.
std::optional<std::vector<int>> parseWinner(std::string_view payload);

} // namespace core::msg
