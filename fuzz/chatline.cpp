// SPDX-License-Identifier: GPL-3.0-or-later
// Received chat payloads are free text from other players: whatever arrives must be cut into
// items without crashing, with links only inside the link table and smileys only 0..17.

#include "chat/chatmodel.h"
#include "chat/colourtext.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // A fresh model per input: lines kept from earlier inputs would look like a leak to
    // libFuzzer, which then runs the whole leak scan after every input.
    core::ChatModel model;
    const int style = model.chatrecieved(text);
    if (style < 0 || style >= core::kLineStyleCount) std::abort();
    for (const core::ChatItem& item : model.lines().back().items) {
        if (item.kind == core::ChatItem::Kind::Link &&
            (item.link < 0 || item.link >= core::kLinkTableSize ||
             model.chatlink(item.link) != item.text))
            std::abort();
        if (item.kind == core::ChatItem::Kind::Smiley &&
            (item.smiley < 0 || item.smiley >= core::kSmileyCount))
            std::abort();
    }
    if (const auto colour = core::readColourText(text)) {
        if (core::readColourText(*core::writeColourText(*colour)) != colour) std::abort();
    }
    return 0;
}
