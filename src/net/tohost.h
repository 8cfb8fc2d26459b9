// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue's client-to-host half: one record per message the tables send, with its word,
// its fields, its builder (the table's side) and its reader (the host's side). The host reads
// strictly: read() gives nullopt when a number field does not convert, and the request is
// dropped. A closing "+" after the last field is accepted either way.
//
//   core::msg::toHost::Rollthedice::build(3, {1, 4})   -> "CMD_rollthedice+3+1+4"
//   core::msg::toHost::Rollthedice::read("3+1+4")      -> {3, {1, 4}}

#include "net/catalogue.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core::msg::toHost {

// "CMD_logininfo+SLOT+VERSION+NAME", the answer to "CMD_sendlogininfo".
struct Logininfo {
    static constexpr std::string_view word = "CMD_logininfo";
    int slot = 0; // the table's echo of what it was told; the connection decides
    std::string version;
    std::string name; // everything after the version, "+" included
    static std::string build(int slot, std::string_view version, std::string_view name);
    static std::optional<Logininfo> read(std::string_view payload);
};

// "CMD_kickhim+SENDER+TARGET+": the hosting player removes a player.
struct Kickhim {
    static constexpr std::string_view word = "CMD_kickhim";
    int sender = 0;
    int target = 0;
    static std::string build(int senderSlot, int targetSlot);
    static std::optional<Kickhim> read(std::string_view payload);
};

// The relays: the sender's slot, then everything else verbatim.
struct SlotAndText {
    int slot = 0;
    std::string text;
};

// "CMD_chat+SLOT+TEXT|COLOUR": text typed by the player, then "|" and the colour text.
struct Chat : SlotAndText {
    static constexpr std::string_view word = "CMD_chat";
    static std::string build(int slot, std::string_view chatText);
    static std::optional<Chat> read(std::string_view payload);
};

// "CMD_action+SLOT+TEXT|COLOUR", written as "name text" by everybody.
struct Action : SlotAndText {
    static constexpr std::string_view word = "CMD_action";
    static std::string build(int slot, std::string_view chatText);
    static std::optional<Action> read(std::string_view payload);
};

// "CMD_playasound+SLOT+waveN+": a chatter sound; the text ("waveN+") is relayed as it came.
struct Playasound : SlotAndText {
    static constexpr std::string_view word = "CMD_playasound";
    static std::string build(int slot, int soundNumber);
    static std::optional<Playasound> read(std::string_view payload);
};

// "CMD_startgame+NAME+LIMIT+": the hosting player starts a game with a bonus-roll limit.
struct Startgame {
    static constexpr std::string_view word = "CMD_startgame";
    std::string name;
    std::optional<int> bonusLimit; // nullopt when it is not a number
    static std::string build(std::string_view name, int bonusLimit);
    // Never refused: a game starts whatever the limit says.
    static std::optional<Startgame> read(std::string_view payload);
};

// "CMD_justwatch+SEAT+MODE": kJustWatchOn or kJustWatchOff.
struct Justwatch {
    static constexpr std::string_view word = "CMD_justwatch";
    int seat = 0;
    int mode = 0;
    static std::string build(int seat, int mode);
    static std::optional<Justwatch> read(std::string_view payload);
};

// "CMD_rollthedice+SEAT+DIE+DIE...": the dice to roll, in the order named; 0 stands for none.
struct Rollthedice {
    static constexpr std::string_view word = "CMD_rollthedice";
    int seat = 0;
    std::vector<int> dice; // as sent, unchecked; empty when no die field follows the seat
    // Empty dice send the single field 0.
    static std::string build(int seat, std::span<const int> dice);
    static std::optional<Rollthedice> read(std::string_view payload);
};

// "CMD_selectcat+SEAT+CATEGORY+".
struct Selectcat {
    static constexpr std::string_view word = "CMD_selectcat";
    int seat = 0;
    int category = 0;
    static std::string build(int seat, int category);
    static std::optional<Selectcat> read(std::string_view payload);
};

// Seats held for dropped players. Only copies that say they can come back are sent the host's
// side of them (toclient.h); every other copy sees exactly the messages it always did.

// "CMD_canholdseat+SLOT+": this copy can reclaim a held seat. The host reads nothing of it:
// the connection it came on is what counts.
struct Canholdseat {
    static constexpr std::string_view word = "CMD_canholdseat";
    static std::string build(int slot);
};

// "CMD_leaving+SLOT+": the player closes the window on purpose; the seat is not to be held.
// Sent only by a copy the host gave a token, so hosts without holds never see it.
struct Leaving {
    static constexpr std::string_view word = "CMD_leaving";
    static std::string build(int slot);
};

// "CMD_reclaimseat+SLOT+TOKEN", right after "CMD_sendlogininfo" and before the login: give me
// my seat back.
struct Reclaimseat {
    static constexpr std::string_view word = "CMD_reclaimseat";
    int slot = 0;
    std::string token;
    static std::string build(int slot, std::string_view token);
    static std::optional<Reclaimseat> read(std::string_view payload);
};

// "CMD_sealpart+GAME+PART" (32 hex digits): a table's part of the game's sealed seed, the
// answer to "CMD_sealcommit". Anything but that exact form is refused.
struct Sealpart {
    static constexpr std::string_view word = "CMD_sealpart";
    int game = 0;
    SealBytes16 part{};
    static std::string build(int game, const SealBytes16& part);
    static std::optional<Sealpart> read(std::string_view payload);
};

} // namespace core::msg::toHost

namespace core::msg {
// The words the host's dispatch table covers, in the order it compares them.
inline constexpr auto kToHost =
    wordsOf<toHost::Logininfo, toHost::Kickhim, toHost::Chat, toHost::Playasound, toHost::Action,
            toHost::Startgame, toHost::Justwatch, toHost::Rollthedice, toHost::Selectcat,
            toHost::Canholdseat, toHost::Reclaimseat, toHost::Sealpart, toHost::Leaving>();
} // namespace core::msg
