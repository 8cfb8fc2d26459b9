// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/companionlines.h"

namespace lobby {

namespace {

constexpr std::string_view kTable = "table";
constexpr std::string_view kReach = "reach";

// Tabs and line ends separate fields and lines; inside a value they become spaces.
std::string fieldText(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return text;
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        auto tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

std::optional<CompanionLine> readTableLine(const std::vector<std::string_view>& fields) {
    Attributes attributes;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        auto eq = fields[i].find('=');
        if (eq == std::string_view::npos) return std::nullopt;
        attributes.emplace_back(fields[i].substr(0, eq), fields[i].substr(eq + 1));
    }
    auto table = readTable(attributes);
    if (!table) return std::nullopt;
    return CompanionLine{*table};
}

std::optional<CompanionLine> readReachLine(const std::vector<std::string_view>& fields) {
    if (fields.size() != 4 || (fields[1] != "0" && fields[1] != "1")) return std::nullopt;
    // The reason is shown to the hosting player as it stands: plain text only.
    if ((!fields[2].empty() && !isTableAddress(fields[2])) || !isPrintable(fields[3]))
        return std::nullopt;
    return CompanionLine{
        ReachLine{fields[1] == "1", std::string(fields[2]), std::string(fields[3])}};
}

} // namespace

std::string tableLine(const LobbyTable& table) {
    std::string line(kTable);
    for (const auto& [key, value] : tableAttributes(table))
        line += '\t' + key + '=' + fieldText(value);
    return line + '\n';
}

std::string reachLine(const ReachLine& reach) {
    std::string line(kReach);
    line += reach.reachable ? "\t1\t" : "\t0\t";
    line += fieldText(reach.externalAddress) + '\t' + fieldText(reach.why) + '\n';
    return line;
}

std::optional<CompanionLine> readCompanionLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    auto fields = splitTabs(line);
    if (fields[0] == kTable) return readTableLine(fields);
    if (fields[0] == kReach) return readReachLine(fields);
    return std::nullopt;
}

std::vector<CompanionLine> CompanionReader::feed(std::string_view bytes) {
    std::vector<CompanionLine> lines;
    while (!m_poisoned && !bytes.empty()) {
        auto end = bytes.find('\n');
        std::string_view part = bytes.substr(0, end);
        if (m_pending.size() + part.size() + 1 > kMaxCompanionLine) {
            m_poisoned = true;
            m_pending.clear();
            m_pending.shrink_to_fit();
            break;
        }
        m_pending += part;
        if (end == std::string_view::npos) break;
        if (auto line = readCompanionLine(m_pending)) lines.push_back(std::move(*line));
        m_pending.clear();
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

} // namespace lobby
