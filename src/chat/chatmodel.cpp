// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/chatmodel.h"

#include "chat/colourtext.h"
#include "net/fields.h"

namespace core {

namespace {

// Length in bytes of the UTF-8 sequence starting with byte c (1 for stray bytes, so a broken
// sequence still advances).
std::size_t utf8Length(unsigned char c) {
    if (c >= 0xF0 && c <= 0xF7) return 4;
    if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
    if (c >= 0xC0) return 2;
    return 1;
}

// Byte length of the first `count` characters of text (fewer when text ends).
std::size_t prefixOfChars(std::string_view text, int count) {
    std::size_t pos = 0;
    for (int i = 0; i < count && pos < text.size(); ++i)
        pos += std::min(utf8Length(static_cast<unsigned char>(text[pos])), text.size() - pos);
    return pos;
}

} // namespace

ChatPayload parseChatPayload(std::string_view payload) {
    const std::size_t bar = payload.find('|');
    if (bar == std::string_view::npos) return {std::string(payload), kClRed};
    const std::optional<std::uint32_t> colour = readColourText(payload.substr(bar + 1));
    return {std::string(payload.substr(0, bar)), colour.value_or(kClRed)};
}

bool islink(std::string_view word) {
    return word.find("http://") != std::string_view::npos ||
           word.find("www.") != std::string_view::npos;
}

ChatModel::ChatModel() = default;

int ChatModel::chatrecieved(std::string_view payload) {
    const ChatPayload p = parseChatPayload(payload);
    return addlinetochat(p.line, p.colour);
}

int ChatModel::addlinetochat(std::string_view line, std::uint32_t colour, bool withHead) {
    // Sender number: the text before the first "+". Our own code and the host only ever send
    // 0 to 9; anything else is shown in style 0 rather than dropped, so no text is lost.
    int n = 0;
    std::string_view body = line;
    if (const std::size_t plus = line.find('+'); plus != std::string_view::npos) {
        const std::optional<int> sender = parseInt(line.substr(0, plus));
        if (sender && *sender >= 0 && *sender < kLineStyleCount) n = *sender;
        body = line.substr(plus + 1);
    }

    std::string_view head;
    if (const std::size_t colon = body.find(':'); withHead && colon != std::string_view::npos) {
        head = body.substr(0, colon + 1);
        body.remove_prefix(colon + 1);
    }

    m_styles[static_cast<std::size_t>(n)] = LineStyle{colour, true};

    ChatLine& out = m_lines.emplace_back();
    out.style = n;
    ChatItem headItem;
    headItem.text.reserve(head.size() + 1);
    headItem.text.append(head).push_back(' ');
    out.items.push_back(std::move(headItem));

    for (std::size_t mark = body.find(kSmileyMark); mark != std::string_view::npos;
         mark = body.find(kSmileyMark)) {
        const std::string_view run = body.substr(0, mark);
        body.remove_prefix(mark + kSmileyMark.size());
        const std::size_t codeBytes = prefixOfChars(body, 2);
        const std::optional<int> code = parseInt(body.substr(0, codeBytes));
        body.remove_prefix(codeBytes);

        addWords(run, out);
        ChatItem picture;
        picture.kind = ChatItem::Kind::Smiley;
        picture.smiley =
            (code && *code >= kFirstSmileyCode && *code < kFirstSmileyCode + kSmileyCount)
                ? *code - kFirstSmileyCode
                : 0;
        out.items.push_back(std::move(picture));
    }
    if (!body.empty()) addWords(body, out);
    return n;
}

void ChatModel::addWords(std::string_view run, ChatLine& line) {
    std::string text(run);
    text.push_back(' ');
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t space = rest.find(' ');
        const std::string_view word = rest.substr(0, space + 1);
        rest.remove_prefix(word.size());

        ChatItem item;
        item.text = std::string(word);
        // The link table is fixed in size; links past its end stay readable as plain words.
        if (islink(word) && m_linkCounter + 1 < kLinkTableSize) {
            ++m_linkCounter;
            m_chatlinks[static_cast<std::size_t>(m_linkCounter)] = item.text;
            item.kind = ChatItem::Kind::Link;
            item.link = m_linkCounter;
        }
        line.items.push_back(std::move(item));
    }
}

void ChatModel::clear() {
    m_lines.clear();
    m_linkCounter = -1;
    for (std::string& link : m_chatlinks)
        link.clear();
}

std::string_view ChatModel::chatlink(int k) const {
    if (k < 0 || k >= kLinkTableSize) return {};
    return m_chatlinks[static_cast<std::size_t>(k)];
}

std::optional<std::string> ChatModel::linkTarget(int k) const {
    std::string_view text = chatlink(k);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    return std::string(text);
}

} // namespace core
