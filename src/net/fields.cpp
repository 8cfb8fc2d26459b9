// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/fields.h"

#include <charconv>

namespace core {

std::optional<int> parseInt(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::size_t start = text[0] == '-' ? 1 : 0;
    if (start == text.size()) return std::nullopt;
    for (std::size_t i = start; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
    int value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string clipUtf8(std::string text, std::size_t max) {
    if (text.size() <= max) return text;
    std::size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
    return text;
}

SplitEntry splitEntry(std::string_view entry) {
    auto plus = entry.find('+');
    if (plus == std::string_view::npos) return {{}, {}};
    return {entry.substr(0, plus), entry.substr(plus + 1)};
}

std::string_view FieldReader::next() {
    auto plus = m_rest.find('+');
    std::string_view field;
    if (plus == std::string_view::npos) {
        field = m_rest;
        m_rest = {};
    } else {
        field = m_rest.substr(0, plus);
        m_rest.remove_prefix(plus + 1);
    }
    return field;
}

std::optional<int> FieldReader::nextInt() {
    return parseInt(next());
}

std::optional<int> FieldReader::nextCount() {
    auto v = nextInt();
    if (!v || *v < 0) return std::nullopt;
    return v;
}

Builder::Builder(std::string_view command) {
    m_text.reserve(64); // room for every game message without growing
    m_text = command;
}

Builder& Builder::add(std::string_view field) {
    m_text += '+';
    m_text += field;
    return *this;
}

Builder& Builder::add(int value) {
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return add(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

Builder& Builder::addFiveDice(const std::array<int, 6>& faces) {
    for (int die = 1; die <= 5; ++die)
        add(die).add(faces[static_cast<std::size_t>(die)]);
    return *this;
}

std::string Builder::done(bool closing) {
    if (closing) m_text += '+';
    return std::move(m_text);
}

} // namespace core
