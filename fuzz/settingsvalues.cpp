// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz-max-len: 8192
// Whatever the shared settings file holds, the values the table takes from it stay within
// what its menus can show.

#include "chat/inifile.h"
#include "chat/settings.h"
#include "tmpdir.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = [] {
        std::filesystem::path dir =
            fuzzTempDir() / ("bramblies-fuzz-settings-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return dir / "quarlobby.ini";
    }();
    core::Settings s(file);
    // Opening and reading a file costs more than the rest; one input in sixteen goes through
    // it, the others hand their text over directly (the same reading rules).
    if (size % 16 == 0) {
        if (std::FILE* f = std::fopen(file.c_str(), "wb")) {
            std::fwrite(data, 1, size, f);
            std::fclose(f);
        }
        s.loadinifile();
    } else {
        core::IniFile ini;
        if (!ini.setText({reinterpret_cast<const char*>(data), size})) ini = core::IniFile{};
        s.takeValues(ini);
    }
    if (!core::Settings::isTextSizeItem(s.textSize()) && s.textSize() != 8) std::abort();
    const int bot = s.botSpeed();
    if (bot != core::Settings::kBotSlow && bot != core::Settings::kBotNormal &&
        bot != core::Settings::kBotFast)
        std::abort();
    const int rolls = s.rolls();
    if (rolls != 0 && rolls != 1 && rolls != 2 && rolls != 5) std::abort();
    if (s.turnSound() != 0 && s.turnSound() != 1) std::abort();
    const core::Placement p = s.lastPlacement();
    if (p.width < 1 || p.height < 1) std::abort();
    return 0;
}
