// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chat view's content: the lines written so far, cut into items (head, words, links and
// smiley pictures), the fifteen line styles and the link table.
//
// A chat line is "<sender>+<body>". The sender number picks one of 15 line styles; writing a
// line gives that style the line's colour and makes it bold, so every earlier line of the same
// sender takes the new colour too (the styles are looked up when the view paints). The body's
// head (up to and including the first ":") opens a paragraph; the rest is cut into words at
// single spaces. Words containing "http://" or "www." become links numbered from 0 since the
// last clear; ":)#" and a two-character code become a smiley picture.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

inline constexpr int kLineStyleCount = 15;
inline constexpr int kLinkTableSize = 101;
inline constexpr int kSmileyCount = 18;
inline constexpr int kFirstSmileyCode = 10;
inline constexpr int kDefaultTextSize = 10;
inline constexpr std::string_view kSmileyMark = ":)#";

struct LineStyle {
    std::uint32_t colour = 0;
    bool bold = false;
};

struct ChatItem {
    enum class Kind { Text, Link, Smiley };
    Kind kind = Kind::Text;
    std::string text; // Text and Link items; a link keeps its trailing space
    int link = -1;    // Link items: index into the link table
    int smiley = 0;   // Smiley items: picture 0..17
};

// One paragraph of the view: the items of one written line. Its first item is the head
// (text, possibly a lone space) and is the one that opens the paragraph.
struct ChatLine {
    int style = 0;
    std::vector<ChatItem> items;
};

// A received chat payload cut at the first "|": the line to show and its colour (red when
// there is no "|" or the colour text does not read).
struct ChatPayload {
    std::string line;
    std::uint32_t colour = 0;
};
ChatPayload parseChatPayload(std::string_view payload);

// "http://" or "www." anywhere in the word.
bool islink(std::string_view word);

class ChatModel {
public:
    ChatModel();

    // Writes one line. Returns the style the line was written in (out-of-range or unreadable
    // sender numbers fall back to style 0). withHead false keeps a ":" in the body (an address
    // and port) from being read as the end of a head.
    int addlinetochat(std::string_view line, std::uint32_t colour, bool withHead = true);
    // Handles a received "CMD_chat"/"CMD_action" payload.
    int chatrecieved(std::string_view payload);

    // Removes every line and restarts link numbering (the next link gets number 0).
    void clear();

    const std::vector<ChatLine>& lines() const { return m_lines; }
    const LineStyle& style(int n) const { return m_styles.at(static_cast<std::size_t>(n)); }

    int textSize() const { return m_textSize; }
    void setTextSize(int points) { m_textSize = points; }

    // The link counter: -1 after a clear, else the number of the last stored link.
    int linkCounter() const { return m_linkCounter; }
    // Stored text of link k, trailing space included ("" when k is not in the table).
    std::string_view chatlink(int k) const;
    // The address to open for link k: its text less trailing spaces; nullopt when k is not
    // in the table or the entry is empty.
    std::optional<std::string> linkTarget(int k) const;

private:
    void addWords(std::string_view run, ChatLine& line);

    std::vector<ChatLine> m_lines;
    std::array<LineStyle, kLineStyleCount> m_styles{};
    std::array<std::string, kLinkTableSize> m_chatlinks{};
    int m_linkCounter = -1;
    int m_textSize = kDefaultTextSize;
};

} // namespace core
