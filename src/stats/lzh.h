// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// LZH codec: LZHUF, i.e. LZSS over a 4096-byte ring buffer (binary search tree, matches of 3
// to 60 bytes) whose literals and match lengths go through an adaptive Huffman tree of 314
// symbols, and whose match distances are coded with a fixed prefix code for their upper 6
// bits followed by the lower 6 bits as they are. Bits are packed most significant first.
//
// Dictionary and Huffman tables are allocated by the first run and kept for the next ones;
// every run starts them afresh.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace core {

class ByteSource;
class ByteSink;

class LzhCompressor {
public:
    LzhCompressor();
    ~LzhCompressor();
    LzhCompressor(LzhCompressor&&) noexcept;
    LzhCompressor& operator=(LzhCompressor&&) noexcept;

    // Texts raised (as ELzrw1Exception) when the data source or sink fails; they name the
    // caller's files, which the codec does not know.
    struct IoTexts {
        std::string readFailed;
        std::string writeFailed;
    };
    struct Counts {
        std::uint64_t read = 0;
        std::uint64_t written = 0;
    };

    // Codes everything in yields into out. Raises ElzhException when the tables cannot be
    // allocated. idle, when set, runs after every buffer-full of input.
    Counts Encode(ByteSource& in, ByteSink& out, const IoTexts& texts,
                  const std::function<void()>& idle = {});

    // Decodes until size bytes have been produced (a last match may overshoot; the caller
    // compares the total with size). Missing bytes at the end of the stream count as zero,
    // but a stream that runs out well before it has produced size bytes is truncated and
    // raises texts.readFailed.
    Counts Decode(ByteSource& in, ByteSink& out, std::uint32_t size, const IoTexts& texts,
                  const std::function<void()>& idle = {});

private:
    struct Tables;
    // The tables of a new run, as if freshly allocated; raises ElzhException when they
    // cannot be allocated.
    Tables& freshTables();
    std::unique_ptr<Tables> m_tables;
};

} // namespace core
