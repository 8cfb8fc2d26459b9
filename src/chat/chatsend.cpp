// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/chatsend.h"

#include "chat/colourtext.h"
#include "net/fields.h"
#include "net/messages.h"

#include <algorithm>

namespace core {

const std::array<std::string_view, kPhraseCount> kDefaultPhrases{
    "Way To Go!", "Good One!", "Nice Try!",         "Excellent!",          "Brilliant!",
    "Wow, WTG!",  "Thanks!",   "Way To Go Teamie!", "Good Game Everyone!", "/me waves \"Good-Bye\"",
};

namespace {

constexpr std::string_view kMePrefix = "/me";
constexpr std::string_view kPhraseMePrefix = "/me ";
constexpr std::string_view kSays = "says: ";

// Bytes of the UTF-8 character that starts with byte c (1 for a stray byte).
std::size_t utf8Length(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0xF0 && b <= 0xF7) return 4;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xC0 && b <= 0xDF) return 2;
    return 1;
}

std::string chatMessage(int myslot, std::string_view text, std::uint32_t colour) {
    return msg::toHost::Chat::build(myslot, chatText(text, colour));
}
std::string actionMessage(int myslot, std::string_view text, std::uint32_t colour) {
    return msg::toHost::Action::build(myslot, chatText(text, colour));
}

} // namespace

std::string chatText(std::string_view text, std::uint32_t colour) {
    std::string out(text);
    out.push_back('|');
    out += writeColourText(colour).value_or("clBlack");
    return out;
}

SendResult sendit(std::string_view entryText, bool loggedin, int myslot, std::uint32_t colour) {
    if (!loggedin) return {std::nullopt, false};
    if (entryText.empty()) return {std::nullopt, true};
    if (entryText.front() != '/') return {chatMessage(myslot, entryText, colour), true};
    if (entryText.starts_with(kMePrefix)) {
        // "/me" and the character after it (normally the space) are dropped; that character
        // may take several bytes, and cutting inside it would send broken text.
        std::string_view rest = entryText.substr(kMePrefix.size());
        if (!rest.empty()) rest.remove_prefix(std::min(utf8Length(rest.front()), rest.size()));
        return {actionMessage(myslot, rest, colour), true};
    }
    return {std::nullopt, true};
}

std::string phraseMessage(std::string_view phrase, int myslot, std::uint32_t colour) {
    if (phrase.starts_with(kPhraseMePrefix))
        return actionMessage(myslot, phrase.substr(kPhraseMePrefix.size()), colour);
    std::string text(kSays);
    text += phrase;
    return actionMessage(myslot, text, colour);
}

} // namespace core
