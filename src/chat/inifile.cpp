// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/inifile.h"

#include <fstream>
#include <system_error>

namespace core {

namespace {

// A file the user may not or would not have changed: no write permission bit at all (which
// holds even for root, who could open it anyway), or it cannot be opened for writing. Opening
// for appending changes nothing in it.
bool writable(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) return true;
    using std::filesystem::perms;
    if ((status.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) ==
        perms::none)
        return false;
    return std::ofstream(path, std::ios::binary | std::ios::app).is_open();
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

// One key stays one line, whatever the caller hands us.
std::string oneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

} // namespace

IniFile::Line IniFile::parseLine(std::string_view text) {
    Line line;
    line.text = std::string(text);
    const std::string_view t = trim(text);
    if (t.empty() || t.front() == ';' || t.front() == '#') return line;
    if (t.front() == '[') {
        const auto close = t.find(']');
        if (close != std::string_view::npos) {
            line.kind = Kind::Section;
            line.name = std::string(trim(t.substr(1, close - 1)));
        }
        return line;
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) return line;
    const std::string_view key = trim(t.substr(0, eq));
    if (key.empty()) return line;
    line.kind = Kind::Key;
    line.name = std::string(key);
    line.val = std::string(trim(t.substr(eq + 1)));
    return line;
}

bool IniFile::setText(std::string_view text) {
    m_lines.clear();
    m_readable = true;
    m_refusal = Refusal::None;
    std::size_t lines = 0;
    for (std::size_t nl = text.find('\n'); nl != std::string_view::npos;
         nl = text.find('\n', nl + 1))
        if (++lines >= kMaxLines) return false;
    m_lines.reserve(lines + 1);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto nl = text.find('\n', pos);
        std::string_view raw =
            text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        Line line;
        bool crlf = false;
        if (nl != std::string_view::npos && !raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
            crlf = true;
        }
        line = parseLine(raw);
        line.crlf = crlf;
        line.ended = nl != std::string_view::npos;
        m_lines.push_back(std::move(line));
        if (nl == std::string_view::npos) break;
        pos = nl + 1;
    }
    return true;
}

IniFile::LoadResult IniFile::load(const std::filesystem::path& path) {
    setText({});
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) return LoadResult::Missing;

    auto refuse = [&](Refusal why) {
        m_readable = false;
        m_refusal = why;
        return LoadResult::Unreadable;
    };
    if (!std::filesystem::is_regular_file(status)) return refuse(Refusal::NotReadable);
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return refuse(Refusal::NotReadable);
    if (size > kMaxFileSize) return refuse(Refusal::TooLarge);

    std::ifstream in(path, std::ios::binary);
    if (!in) return refuse(Refusal::NotReadable);
    std::string data;
    data.resize(static_cast<std::size_t>(size));
    in.read(data.data(), static_cast<std::streamsize>(data.size()));
    if (in.bad()) return refuse(Refusal::NotReadable);
    data.resize(static_cast<std::size_t>(in.gcount()));
    if (!setText(data)) return refuse(Refusal::TooLarge);
    if (!writable(path)) m_refusal = Refusal::ReadOnly;
    return LoadResult::Read;
}

std::string IniFile::text() const {
    std::string out;
    for (const Line& line : m_lines) {
        out += line.text;
        if (line.ended) out += line.crlf ? "\r\n" : "\n";
    }
    return out;
}

std::optional<std::size_t> IniFile::findKey(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Section)
            inSection = equalsNoCase(line.name, section);
        else if (inSection && line.kind == Kind::Key && equalsNoCase(line.name, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::insertPoint(std::string_view section) const {
    std::optional<std::size_t> at;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind != Kind::Section) continue;
        if (at) break; // the first occurrence has ended
        if (!equalsNoCase(line.name, section)) continue;
        at = i;
        for (std::size_t j = i + 1; j < m_lines.size() && m_lines[j].kind != Kind::Section; ++j)
            if (m_lines[j].kind == Kind::Key) at = j;
        break;
    }
    return at;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const auto i = findKey(section, key);
    if (!i) return std::nullopt;
    return m_lines[*i].val;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    auto v = value(section, key);
    return v ? std::move(*v) : std::string(def);
}

bool IniFile::useCrlf() const {
    for (const Line& line : m_lines)
        if (line.ended) return line.crlf;
    return false;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string val(trim(oneLine(value)));
    if (const auto i = findKey(section, key)) {
        Line& line = m_lines[*i];
        const bool crlf = line.crlf;
        const bool ended = line.ended;
        line = parseLine(line.name + "=" + val);
        line.crlf = crlf;
        line.ended = ended;
        return;
    }
    const bool crlf = useCrlf();
    // The line before an insertion must end, or the new line would run into it.
    if (!m_lines.empty() && !m_lines.back().ended) {
        m_lines.back().ended = true;
        m_lines.back().crlf = crlf;
    }
    Line keyLine = parseLine(std::string(trim(oneLine(key))) + "=" + val);
    keyLine.crlf = crlf;
    keyLine.ended = true;
    if (const auto at = insertPoint(section)) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*at) + 1, std::move(keyLine));
        return;
    }
    // Built by appending: GCC 12 mistakes "literal" + string&& for an overlapping copy.
    std::string headerText(1, '[');
    headerText += trim(oneLine(section));
    headerText += ']';
    Line header = parseLine(headerText);
    header.crlf = crlf;
    header.ended = true;
    m_lines.push_back(std::move(header));
    m_lines.push_back(std::move(keyLine));
}

std::filesystem::path IniFile::linkTarget(const std::filesystem::path& path) {
    std::filesystem::path target = path;
    std::error_code ec;
    // A bounded walk: a loop of links ends here as the kernel's own limit would.
    for (int hops = 0; hops < 40; ++hops) {
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec))) break;
        const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
        if (ec) break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

bool IniFile::save(const std::filesystem::path& linkOrFile) const {
    if (!m_readable || m_refusal != Refusal::None) return false;
    const std::filesystem::path path = linkTarget(linkOrFile);
    std::error_code ec;
    if (!writable(path)) return false;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    std::filesystem::path tmp = path;
    tmp += ".new";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        // Keep the old file's permissions (a file another program shares may be group-writable,
        // one holding a seat token is the owner's alone), before any of the text is written.
        const auto old = std::filesystem::status(path, ec);
        if (!ec && std::filesystem::exists(old))
            std::filesystem::permissions(tmp, old.permissions(), ec);
        const std::string data = text();
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(tmp, ec);
            return false;
        }
    }
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

} // namespace core
