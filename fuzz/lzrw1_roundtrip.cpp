// fuzz-max-len: 70000 (more than one chunk)
// Arbitrary bytes through both methods and back must come out unchanged; a single block
// must never grow by more than one byte.

#include "stats/tlzrw1.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static core::Tlzrw1 z;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (auto mode : {core::Tlzrw1::Fast, core::Tlzrw1::Good}) {
        z.CompressMode = mode;
        const std::string packed = z.compressBuffer(input);
        if (z.decompressBuffer(packed) != input) std::abort();
    }
    if (size <= core::Lzrw1KHCompressor::kChunkSize) {
        // Exactly the room the compressor asks for, so ASan sees any write past it.
        std::vector<std::uint8_t> body(size + core::Lzrw1KHCompressor::kSlack);
        const std::size_t len = z.CompressBlock({data, size}, body);
        if (len < 1 || len > size + 1) std::abort();
        std::vector<std::uint8_t> back(size);
        body.resize(len);
        if (z.ExpandBlock(body, back) != size || !std::equal(back.begin(), back.end(), data)) {
            std::abort();
        }
    }
    return 0;
}
