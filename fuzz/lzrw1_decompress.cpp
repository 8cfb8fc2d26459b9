// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz-max-len: 4096
// Arbitrary bytes as a compressed file, and as a single block body: either refused with an
// exception or decoded, never a read or write outside the buffers.

#include "stats/tlzrw1.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static core::Tlzrw1 z;
    try {
        z.decompressBuffer(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const core::ELzrw1Exception&) {
    }
    // The block level on its own, with a chunk buffer of exactly 32768 bytes.
    static std::vector<std::uint8_t> chunk(core::Lzrw1KHCompressor::kChunkSize);
    try {
        z.ExpandBlock({data, size}, chunk);
    } catch (const core::ELzrw1Exception&) {
    }
    return 0;
}
