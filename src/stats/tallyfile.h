// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tally file, "brambliestally.tld": the table text compressed with LZRW1/KH.
//
// The text never touches the disk uncompressed: it is compressed and expanded in memory.
// Saving writes a new file beside the old one and renames it over it, so a failed save
// leaves the previous tally as it was.

#include "stats/tallytable.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace core {

class TallyFile {
public:
    // The program's fixed lower-case name followed by "tally.tld".
    static constexpr const char* kProgramName = "bramblies";
    static constexpr const char* kFileSuffix = "tally.tld";
    // An unreadable tally file is kept under this extra suffix before a fresh tally replaces it.
    static constexpr const char* kDamagedSuffix = ".bad";
    // Nothing this program writes comes near this; a bigger file is not a tally.
    static constexpr std::uintmax_t kMaxFileSize = 4u * 1024 * 1024;
    static constexpr std::uint32_t kMaxTextSize = 16u * 1024 * 1024;

    enum class LoadStatus { Loaded, Missing, Failed };
    struct LoadResult {
        LoadStatus status = LoadStatus::Missing;
        std::string error; // the failure's own text when Failed
    };

    // The file lives in the given directory (where the settings file lives).
    explicit TallyFile(std::filesystem::path directory);

    const std::filesystem::path& path() const { return m_path; }

    // Reads the tally. Missing: no file, the table is untouched. Failed: the file does not
    // decompress or its text does not read; the table is untouched, the text says why, and a
    // copy of the file is kept beside it with kDamagedSuffix. When that copy cannot be made,
    // the file is the only copy of whatever it holds, and save() refuses to replace it.
    LoadResult load(TallyTable& table);
    // The part of load() after the file is read: the codec's header, decompression and the
    // table text. nullopt when the table was read (and replaced), else why not.
    std::optional<std::string> readBytes(const std::string& bytes, TallyTable& table) const;

    // Writes the tally whole: nullopt on success, else the reason (the old file then stays).
    std::optional<std::string> save(const TallyTable& table) const;

private:
    std::filesystem::path m_path;
    bool m_keepOld = false; // a damaged file could not be copied aside
};

} // namespace core
