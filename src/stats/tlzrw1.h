// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The compression component: turns one file (or one buffer) into a compressed file (buffer)
// and back, with one of two methods.
//
//   Fast = LZRW1/KH, independent 32768-byte chunks, each stored as a 2-byte length and a
//          block body (see Lzrw1KHCompressor);
//   Good = LZH, one LZHUF code stream (see LzhCompressor);
//   Auto = sample the input with Advise first.
//
// Container: 4-byte signature ("WRZL" for LZRW1/KH, "!HZL" for LZH), the uncompressed size as
// a 32-bit little-endian number, then the method's data. Decompression follows the signature.
//
// Every failure raises ELzrw1Exception (or one of the codec exceptions derived from it) with
// the text the user sees. The file interface never leaves a partial output behind: it writes
// a new file beside OutputFile and renames it over OutputFile only when everything worked, so
// an existing file of that name survives a failed call untouched.

#include "stats/lzh.h"
#include "stats/lzrw1exception.h"
#include "stats/lzrw1kh.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace core {

class ByteSource;
class ByteSink;

class Tlzrw1 {
public:
    enum TCompressMode { Good, Fast, Auto };

    static constexpr std::uint32_t kSignatureLzrw1KH = 0x4C5A5257; // "WRZL" on disk
    static constexpr std::uint32_t kSignatureLzh = 0x4C5A4821;     // "!HZL" on disk
    static constexpr std::size_t kHeaderSize = 8;

    std::string InputFile;
    std::string OutputFile;
    TCompressMode CompressMode = Good;
    int Threshold = 40; // percent, used by Advise

    // Called after every block or buffer-full of work, so a window can keep its event loop
    // turning during a long operation. Must not start another operation on this object.
    std::function<void()> OnIdle;

    Tlzrw1();

    // File interface: InputFile -> OutputFile. Both return the number of bytes written.
    std::uint64_t Compress();
    std::uint64_t Decompress();
    // Samples InputFile and answers Fast or Good. A file of at most 98303 bytes gets Good
    // and sets CompressMode to Good.
    TCompressMode Advise();

    // In-memory interface: same container and same texts as the file interface (InputFile and
    // OutputFile are only used as the names in the texts).
    std::string compressBuffer(std::string_view data);
    std::string decompressBuffer(std::string_view data);

    // What the component would show as its caption after the last successful call, e.g.
    // "notes.txt : Lzrw1 : successfully compressed at 41%".
    const std::string& Caption() const { return m_caption; }

    // Block level, for callers that do their own framing.
    std::size_t CompressBlock(std::span<const std::uint8_t> chunk, std::span<std::uint8_t> body) {
        return m_lzr.CompressBlock(chunk, body);
    }
    std::size_t ExpandBlock(std::span<const std::uint8_t> body, std::span<std::uint8_t> chunk) {
        return m_lzr.ExpandBlock(body, chunk);
    }
    Lzrw1KHCompressor& TLZR() { return m_lzr; }
    LzhCompressor& TLZH() { return m_lzh; }

private:
    struct IoBuffers;
    TCompressMode
    resolveMode(std::uint64_t size,
                const std::function<std::size_t(std::uint64_t, std::uint8_t*, std::size_t)>& readAt,
                IoBuffers& buffers);
    std::uint64_t compressStream(TCompressMode mode, ByteSource& in, std::uint64_t size,
                                 ByteSink& out, IoBuffers& buffers);
    std::uint64_t decompressStream(ByteSource& in, ByteSink& out, IoBuffers& buffers);
    using StreamWork = std::function<std::uint64_t(ByteSource&, ByteSink&)>;
    std::uint64_t throughFiles(const StreamWork& work);
    void idle();

    Lzrw1KHCompressor m_lzr;
    LzhCompressor m_lzh;
    std::string m_caption;
};

using TCompressMode = Tlzrw1::TCompressMode;

} // namespace core
