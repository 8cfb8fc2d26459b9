// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz-max-len: 16384
// Any text is either refused with the table left alone, or read into a table whose own text
// reads back to the same table.

#include "stats/tallytext.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    core::TallyTable table;
    const std::string fresh = core::savegrid(table);
    if (core::loadgrid(text, table)) {
        if (core::savegrid(table) != fresh) std::abort(); // refused: left as it was
        return 0;
    }
    const std::string written = core::savegrid(table);
    core::TallyTable back;
    if (core::loadgrid(written, back)) std::abort();
    if (core::savegrid(back) != written) std::abort();
    return 0;
}
