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

std::string buildMessage(std::string_view command, const std::vector<std::string>& fields,
                         bool closingPlus) {
    std::string out(command);
    for (const auto& f : fields) {
        out += '+';
        out += f;
    }
    if (closingPlus) out += '+';
    return out;
}

} // namespace core
