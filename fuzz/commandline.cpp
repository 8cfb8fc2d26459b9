// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz-max-len: 512
// Arguments separated by NUL bytes, as the system hands them over. The parser either names a
// fault or gives values the program can use as they are.

#include "app/commandline.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    const app::CommandLine line = app::parseCommandLine(args);
    if (!line.error.empty()) return 0;
    if (line.port < 0 || line.port > 65535) std::abort();
    if (!std::isfinite(line.timeScale) || line.timeScale <= 0) std::abort();
    if (line.botSpeedMs <= 0) std::abort();
    if (line.positional.size() > args.size()) std::abort();
    (void)app::usageText("bramblies");
    return 0;
}
