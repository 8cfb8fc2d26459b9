// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the chat entry and the phrase buttons send. Pure functions: the table window hands in
// the entry text and its session, and sends whatever message comes back.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

inline constexpr int kPhraseCount = 10;

// Built-in phrases of the phrase buttons 1 to 10.
extern const std::array<std::string_view, kPhraseCount> kDefaultPhrases;

// The chat text of a message: the text, "|" and the colour as colour text.
std::string chatText(std::string_view text, std::uint32_t colour);

// The outcome of pressing Enter in the entry.
struct SendResult {
    std::optional<std::string> message; // without terminator; nullopt: nothing to send
    bool clearEntry = false;            // false only while not logged in
};

// Enter in the entry: "CMD_chat" for plain text, "CMD_action" for "/me..." (less its first
// four characters), nothing for other "/" commands or an empty entry. While not logged in
// nothing is sent and the entry keeps its text.
SendResult sendit(std::string_view entryText, bool loggedin, int myslot, std::uint32_t colour);

// A phrase button's message: a phrase starting "/me " is sent as an action without those
// four characters, any other as the action "says: <phrase>".
std::string phraseMessage(std::string_view phrase, int myslot, std::uint32_t colour);

} // namespace core
