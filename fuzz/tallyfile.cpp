// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz-max-len: 16384
// The whole chain a tally file goes through when the table opens: size checks, the codec's
// header, decompression and the text. Any file is loaded or refused, never a crash, and a
// loaded tally saves and loads again to the same table.

#include "stats/tallyfile.h"
#include "stats/tallytext.h"
#include "tmpdir.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path dir = [] {
        std::filesystem::path d =
            fuzzTempDir() / ("bramblies-fuzz-tally-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    core::TallyFile file(dir);
    core::TallyTable table;
    // Opening, reading and (on a failure) copying the file aside cost more than the rest; one
    // input in sixteen goes through the file, the others are read from memory the same way.
    if (size % 16 == 0) {
        if (std::FILE* f = std::fopen(file.path().c_str(), "wb")) {
            std::fwrite(data, 1, size, f);
            std::fclose(f);
        }
        if (file.load(table).status != core::TallyFile::LoadStatus::Loaded) return 0;
    } else if (file.readBytes(std::string(reinterpret_cast<const char*>(data), size), table)) {
        return 0;
    }
    const std::string text = core::savegrid(table);
    if (file.save(table)) return 0; // a full disk is not the codec's fault
    core::TallyTable again;
    if (file.load(again).status != core::TallyFile::LoadStatus::Loaded) std::abort();
    if (core::savegrid(again) != text) std::abort();
    return 0;
}
