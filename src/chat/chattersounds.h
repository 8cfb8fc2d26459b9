// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names of the sound store and the chatter-sound rules that need no sound device: which
// message a menu choice sends, and the chat line shown instead of a chatter sound when the
// player has switched chatter sounds off.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// The game cues, in the order of the cue table.
inline constexpr std::array<std::string_view, 14> kGameCues = {
    "dice",       "select",   "turn",      "error",  "bramble", "gotpoints", "nopoints",
    "enterbonus", "gotbonus", "exitbonus", "winner", "entered", "set",       "unset"};

// The turn cue played instead of "turn" when the "New" turn sound is chosen.
inline constexpr std::string_view kNewTurnSound = "turn_new";

// Captions of the chatter sounds "wave1" to "wave20" (index k-1); each is also the menu
// item's tooltip.
inline constexpr std::array<std::string_view, 20> kChatterCaptions = {
    "Doh",       "Cough",    "Hello",          "Thank You",    "Where have you been?",
    "Snoring",   "Sneezing", "Sorry",          "Welcome",      "Yeehaa",
    "Yippee",    "Oh No",    "Applause",       "Honk",         "Oooh",
    "Razzberry", "Cheer",    "Woman Laughing", "Man Laughing", "Crying"};

inline constexpr std::string_view kCancelCaption = "<Cancel>";

// "wave" followed by k.
std::string chatterSoundName(int k);

// The caption of the menu item named soundName ("wave1" to "wave20", letter case ignored).
std::optional<std::string_view> chatterCaption(std::string_view soundName);

// The message a choice k of the chatter-sound menu sends, without the terminator: nothing for
// "<Cancel>" (0), for an unknown item, or unless the player is logged in on a seat (1 to 6).
std::optional<std::string> chatterSoundRequest(int k, bool loggedin, int myslot);

// The seat number named by a slot text, when it names a seat ("1" to "6" exactly: there is no
// seat label for anything else).
std::optional<int> seatOfSlotText(std::string_view slotText);

// The chat line written instead of playing: slot, "+", the seat label's text,
// ": <Chatter Sound> " and the caption; nothing when the sound has no menu item.
std::optional<std::string> chatterSoundLine(std::string_view slotText, std::string_view seatLabel,
                                            std::string_view soundName);

} // namespace core
