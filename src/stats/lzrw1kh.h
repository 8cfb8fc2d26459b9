// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// LZRW1/KH block codec: a single-probe LZ77 coder over independent chunks of up to 32768
// bytes, with run items for long repeats and a stored fallback so a block never grows by
// more than one byte.
//
// Block body: kind byte (0x40 compressed, 0x80 stored), then for a compressed body groups of
// up to 16 items, each group led by a big-endian control word whose bits (most significant
// first) flag the items: 0 literal (1 byte), 1 copy (2 bytes: 12-bit offset, 4-bit length-3)
// or run (4 bytes: 0, count-16 as 12 bits, the byte).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace core {

class Lzrw1KHCompressor {
public:
    static constexpr std::size_t kChunkSize = 32768;
    // Largest body a chunk can give (stored: kind byte + chunk).
    static constexpr std::size_t kMaxBody = kChunkSize + 1;
    // Room the compressor needs beyond the chunk size in its output: it may run a few bytes
    // past the chunk size before it notices the block does not pay and stores it instead.
    static constexpr std::size_t kSlack = 16;
    static constexpr std::uint8_t kCompressed = 0x40;
    static constexpr std::uint8_t kStored = 0x80;
    // Raised for a block whose length field is above kMaxBody.
    static constexpr const char* kTextTooLong =
        "LZRW1KH : corrupt block, its length is above 32769 bytes";

    // Allocates the match table; raises ELzrw1KHCompressor when memory is short.
    Lzrw1KHCompressor();

    // Compresses a chunk of at most kChunkSize bytes into body, which must hold at least
    // chunk.size() + kSlack bytes. Returns the body length L (1 ... kMaxBody).
    std::size_t CompressBlock(std::span<const std::uint8_t> chunk, std::span<std::uint8_t> body);

    // Expands a body into chunk (at most kChunkSize bytes are ever produced, whatever the
    // capacity of chunk). Returns the chunk size. Bytes of chunk past the result may be
    // overwritten: given kSlack bytes of room beyond the data it copies in whole words. A body that
    // is corrupt -- longer than kMaxBody, an item or control word cut short, a copy reaching before
    // the start of the chunk, or a chunk growing past its limit -- raises ELzrw1KHCompressor;
    // nothing is read or written outside the two spans.
    std::size_t ExpandBlock(std::span<const std::uint8_t> body, std::span<std::uint8_t> chunk);

private:
    static constexpr std::size_t kTableSize = 4096;
    std::unique_ptr<std::uint16_t[]> m_table;  // 4096 slots: last position seen + 4096
    std::unique_ptr<std::uint16_t[]> m_hashes; // the slot of every position of a chunk
    std::unique_ptr<std::uint8_t[]> m_padded;  // a chunk with 4096 bytes in front of it
};

} // namespace core
