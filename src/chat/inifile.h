// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small INI reader and writer for a file that other programs share with us.
//
// The file is kept as its original lines. Reading looks keys up in those lines; writing a key
// changes only the line that holds it (or adds one line), so every other section, key,
// comment, blank line and even unreadable garbage comes back out exactly as it went in.
//
// Rules:
//  - "[name]" (blanks around allowed) opens a section; section and key names are compared
//    without regard to ASCII letter case.
//  - "key=value" gives a value; key and value are trimmed of blanks and tabs.
//  - Lines starting with ';' or '#' are comments; lines without '=' are kept and ignored.
//  - A section may appear more than once; its keys are looked up in all its occurrences in
//    file order, and the first line holding a key wins for reading and for writing.
//  - Lines may end in "\n" or "\r\n"; each line keeps its own ending.
//
// The file is read whole and replaced whole: save() writes a new file beside the old one and
// renames it over, so a crash or a full disk never leaves it half written. A file that exists
// but could not be read (too big, no permission) is never replaced, so its contents survive;
// nor is a file without write permission. When the path is a symbolic link, the file it leads
// to is the one replaced, so a file shared through a link stays shared.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

class IniFile {
public:
    // Files larger than this, or with more lines than this, are not read (and therefore never
    // replaced). Each line is kept with its parsed parts, so the line count, not the size
    // alone, decides how much memory a file takes: 64 MB of bare line ends would take gigabytes.
    static constexpr std::uintmax_t kMaxFileSize = 64u * 1024u * 1024u;
    static constexpr std::size_t kMaxLines = 100000;

    enum class LoadResult { Read, Missing, Unreadable };
    // Why save() will refuse after a load.
    enum class Refusal { None, TooLarge, NotReadable, ReadOnly };

    IniFile() = default;

    // Reads the file at path. Missing: empty content, save() will create it. Unreadable: empty
    // content, save() refuses.
    LoadResult load(const std::filesystem::path& path);
    // Replaces the content by the given text (as if read from a file). False, and nothing
    // kept, when the text has more than kMaxLines lines.
    bool setText(std::string_view text);
    // The whole content as it would be written.
    std::string text() const;

    // The trimmed value of key in section, or nullopt when the section or key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // The value, or def when missing.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const;

    // Sets key in section to value: the first line holding the key is rewritten; otherwise a
    // line is added after the last key line of the section; a missing section is added at the
    // end. Line breaks in value are replaced by blanks so one key stays one line.
    void writeString(std::string_view section, std::string_view key, std::string_view value);

    // Writes the content to path (new file, then rename). False on any failure, and after a
    // load that found the file unreadable; the old file is then left untouched.
    bool save(const std::filesystem::path& path) const;

    bool readable() const { return m_readable; }
    Refusal refusal() const { return m_refusal; }

    // The file a write to path changes: path itself, or where its chain of links ends.
    static std::filesystem::path linkTarget(const std::filesystem::path& path);

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string text;   // without its line ending
        bool crlf = false;  // ended in "\r\n"
        bool ended = false; // had a line ending at all (only the last line may lack one)
        Kind kind = Kind::Other;
        std::string name; // section name or key, trimmed
        std::string val;  // trimmed value for keys
    };

    static Line parseLine(std::string_view text);
    // Index of the line after which a new key of section goes (the last key line of its first
    // occurrence, or its header); nullopt when there is no such section.
    std::optional<std::size_t> insertPoint(std::string_view section) const;
    std::optional<std::size_t> findKey(std::string_view section, std::string_view key) const;
    bool useCrlf() const;

    std::vector<Line> m_lines;
    bool m_readable = true;
    Refusal m_refusal = Refusal::None;
};

} // namespace core
