// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/chattersounds.h"

#include "net/tohost.h"

namespace core {

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

} // namespace

std::string chatterSoundName(int k) {
    return "wave" + std::to_string(k);
}

std::optional<std::string_view> chatterCaption(std::string_view soundName) {
    for (std::size_t i = 0; i < kChatterCaptions.size(); ++i)
        if (equalsNoCase(soundName, chatterSoundName(static_cast<int>(i) + 1)))
            return kChatterCaptions[i];
    return std::nullopt;
}

std::optional<std::string> chatterSoundRequest(int k, bool loggedin, int myslot) {
    if (k < 1 || k > static_cast<int>(kChatterCaptions.size())) return std::nullopt;
    if (!loggedin || myslot < 1 || myslot > 6) return std::nullopt;
    return msg::toHost::Playasound::build(myslot, k);
}

std::optional<int> seatOfSlotText(std::string_view slotText) {
    if (slotText.size() != 1 || slotText[0] < '1' || slotText[0] > '6') return std::nullopt;
    return slotText[0] - '0';
}

std::optional<std::string> chatterSoundLine(std::string_view slotText, std::string_view seatLabel,
                                            std::string_view soundName) {
    const auto caption = chatterCaption(soundName);
    if (!caption) return std::nullopt;
    std::string line(slotText);
    line += '+';
    line += seatLabel;
    line += ": <Chatter Sound> ";
    line += *caption;
    return line;
}

} // namespace core
