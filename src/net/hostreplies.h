#pragma once
// The client's readers of what the host sends. They are tolerant where the catalogue's own
// parsers are strict, because the client shows whatever part of a message is sound:
//   - every fixed field is read on its own; one that does not convert is nullopt and the
//     fields after it are still read, so a handler can apply its fields in its own order up
//     to the first one that is missing;
//   - a repeated part (dice, categories, players, seats) keeps its entries up to the first bad
//     one, and `complete` is false when it stopped there.
// A number the board shows as it came ("Round: 3", a score cell) is kept with its text.
//
//   auto roll = core::msg::readCreatedice("2+1+1+5+3+6");
//   // roll.seat == 2, roll.rolls == 1, roll.dice == {{1,5},{3,6}}, roll.complete

#include "net/messages.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core::msg {

struct ShownNumber {
    int value = 0;
    std::string text; // as sent
};
using OptInt = std::optional<int>;
using OptShown = std::optional<ShownNumber>;

struct DiceTail {
    std::vector<DieFace> dice; // every pair as sent, placeholder pairs (0, 0) included
    bool complete = true;
};

struct PlayerList {                   // "CMD_newplayerinfo", "CMD_existingplayers"
    std::vector<PlayerEntry> players; // watching: the flag field was "1"
    bool complete = true;
};
PlayerList readPlayers(std::string_view payload);

struct Departure { // "CMD_playerdisconnected"
    OptInt slot;
    std::string name; // everything after the slot
};
Departure readPlayerdisconnected(std::string_view payload);

struct Said { // "CMD_chat", "CMD_action"
    OptInt slot;
    std::string text; // everything after the slot: the line, "|" and its style
};
Said readChat(std::string_view payload);

struct WatchChange { // "CMD_justwatching"
    OptInt seat;
    bool watching = false; // the mode field was "1"
};
WatchChange readJustwatching(std::string_view payload);

struct GameStart { // "CMD_startgame"
    std::string name;
    std::string limit; // shown as sent, even when it is not a number
};
GameStart readStartgame(std::string_view payload);

struct NextTurn { // "CMD_nextplayer"
    OptInt seat;
    OptShown round;
    std::vector<int> open; // the closing 0 of an empty list included
    bool complete = true;
};
NextTurn readNextplayer(std::string_view payload);

struct Roll : DiceTail { // "CMD_createdice"
    OptInt seat;
    OptInt rolls;
};
Roll readCreatedice(std::string_view payload);

struct CategoryChoice { // "CMD_selectedcat"
    OptInt seat;
    OptInt category;
};
CategoryChoice readSelectedcat(std::string_view payload);

// The first field as a number: the slot or seat that most messages open with.
OptInt readFirstNumber(std::string_view payload);

struct ScorePost { // "CMD_postscores", "CMD_bonustime"
    OptInt seat;
    OptShown total;
    OptShown score;
    OptInt category;
};
ScorePost readScorePost(std::string_view payload);

struct BrambleRoll : DiceTail { // "CMD_bramble"
    OptInt seat;
    OptShown total;
    OptShown score;
    OptInt rolls;
};
BrambleRoll readBramble(std::string_view payload);

struct BonusGain : DiceTail { // "CMD_gotbonus"
    OptInt seat;
    OptShown total;
    OptShown gain;
    OptInt category;
    OptShown categoryScore;
};
BonusGain readGotbonus(std::string_view payload);

struct BonusEnd : DiceTail { // "CMD_bonusend"
    OptInt seat;
};
BonusEnd readBonusend(std::string_view payload);

struct Winners {            // "CMD_winner"
    std::vector<int> seats; // the closing 0 included
    bool complete = true;
};
Winners readWinner(std::string_view payload);

struct TurnCatchUp : DiceTail { // "CMD_loadstats"
    OptInt slot;
    OptInt seat;
    OptShown limit;
    OptInt rolls;
    OptShown round;
    OptInt workingcat;
};
TurnCatchUp readLoadstats(std::string_view payload);

struct SheetCatchUp { // "CMD_loadscores"
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
};
SheetCatchUp readLoadscores(std::string_view payload);

} // namespace core::msg
