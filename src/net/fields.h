// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Field cutting and message building shared by the records of the message catalogue.
//
// A message on the wire is a command word, then each field preceded by "+", then the
// terminator byte 0xFF. A handler receives the payload (everything after the first "+")
// and cuts it into fields at "+".

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

inline constexpr char kTerminator = static_cast<char>(0xFF);

// Strict decimal integer conversion: an optional leading '-' then digits only, no blanks,
// within int range. Anything else gives nullopt.
std::optional<int> parseInt(std::string_view text);

// A UTF-8 text cut to at most `max` bytes without splitting a character.
std::string clipUtf8(std::string text, std::size_t max);

// Splits a queue entry into its command word and payload at the first "+".
// An entry without "+" has an empty command word (and is ignored by every dispatcher).
struct SplitEntry {
    std::string_view command;
    std::string_view payload;
};
SplitEntry splitEntry(std::string_view entry);

// Reads fields off the front of a payload, one "+" at a time.
class FieldReader {
public:
    explicit FieldReader(std::string_view payload) : m_rest(payload) {}

    // True when nothing is left to read.
    bool atEnd() const { return m_rest.empty(); }
    // The next field: the text up to the next "+" (or the end), and consumes that "+".
    std::string_view next();
    // The next field as a strict integer; nullopt when it does not convert (the field is
    // consumed either way).
    std::optional<int> nextInt();
    // The next field as a count (a game number, a stream position): a strict integer that is
    // not negative.
    std::optional<int> nextCount();
    // Everything not yet read (for free-text last fields that may contain "+").
    std::string_view rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

// Builds one message text without the terminator: the command word, then "+" and each field;
// with closing set, the message ends in one more "+" (an empty last field).
class Builder {
public:
    explicit Builder(std::string_view command);
    Builder& add(std::string_view field);
    Builder& add(int value);
    // "+1+f1+2+f2+...+5+f5": dice 1..5 and their faces (index 0 unused).
    Builder& addFiveDice(const std::array<int, 6>& faces);
    std::string done(bool closing = false);

private:
    std::string m_text;
};

} // namespace core
