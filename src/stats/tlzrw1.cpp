// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/tlzrw1.h"

#include "stats/bytestream.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <new>
#include <random>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace core {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChunk = Lzrw1KHCompressor::kChunkSize;
constexpr std::size_t kIoBufferSize = kChunk + Lzrw1KHCompressor::kSlack; // 32784
constexpr std::uint64_t kSmallFile = 98303; // Advise: up to this size always Good

// Texts; "+ name" is appended where a file is named.
const char* const kNoBuffers = "Lzrw1 (de)compression : Failed to get memory for I/O buffers !";
const char* const kNoSize = "Lzrw1 compression : Failed to obtain the size of : ";
const char* const kNoInput = "Lzrw1 (de)compression : Failed to open input file : ";
const char* const kNoOutput = "Lzrw1 (de)compression : Failed to open output file : ";
const char* const kReadError = "Lzrw1 : Error reading from input file : ";
const char* const kReadErrorLzrw = " (LZRW1/KH)";
const char* const kReadErrorLzh = " (LZH)";
const char* const kWriteError = "Lzrw1 : Error writing to output file : ";
const char* const kNoHeader = " : Lzrw1 decompression : this file has no valid header !";
const char* const kSizeMismatchLzrw =
    "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
const char* const kSizeMismatchLzh =
    "Lzrw1 (LZH decompression) : Original and compressed sizes do not match !";
const char* const kAdviseBuffers = "Lzrw1 advise : Error getting I/O buffers";
const char* const kAdviseSize = "Lzrw1 advise : can not get the size of : ";
const char* const kAdviseOpen = "Lzrw1 advise : can open input file : ";
const char* const kAdviseRead = "Lzrw1 advise : read error on input file : ";

const char* const kCompressedAt = " : Lzrw1 : successfully compressed at ";
const char* const kDecompressedAt = " : Lzrw1 : successfully decompressed at ";
const char* const kRecommendsFast = "Lzrw1 recommends FAST compression : ";
const char* const kRecommendsGood = "Lzrw1 recommends GOOD compression : ";
const char* const kRecommendsSmall = "Lzrw1 recommends GOOD compression :  small file !!";

} // namespace

// The two I/O buffers of one operation. The second has room for a block's 2-byte length in
// front of its body.
struct Tlzrw1::IoBuffers {
    std::vector<std::uint8_t> in;
    std::vector<std::uint8_t> out;

    explicit IoBuffers(const char* failText) {
        try {
            in.resize(kIoBufferSize);
            out.resize(kIoBufferSize + 2);
        } catch (const std::bad_alloc&) {
            throw ELzrw1Exception(failText);
        }
    }
};

namespace {

std::uint32_t getLE32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

void putLE32(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

std::string percentText(std::uint64_t part, std::uint64_t whole) {
    return std::to_string(whole == 0 ? 0 : part * 100 / whole);
}

class FileSource : public ByteSource {
public:
    explicit FileSource(std::FILE* f) : m_f(f) {}
    bool read(std::uint8_t* dst, std::size_t n, std::size_t& got) override {
        got = std::fread(dst, 1, n, m_f);
        return got == n || !std::ferror(m_f);
    }

private:
    std::FILE* m_f;
};

class FileSink : public ByteSink {
public:
    explicit FileSink(std::FILE* f) : m_f(f) {}
    bool write(const std::uint8_t* src, std::size_t n) override {
        return std::fwrite(src, 1, n, m_f) == n;
    }

private:
    std::FILE* m_f;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view data) : m_data(data) {}
    bool read(std::uint8_t* dst, std::size_t n, std::size_t& got) override {
        got = std::min(n, m_data.size() - m_pos);
        if (got > 0) std::memcpy(dst, m_data.data() + m_pos, got);
        m_pos += got;
        return true;
    }

private:
    std::string_view m_data;
    std::size_t m_pos = 0;
};

class StringSink : public ByteSink {
public:
    explicit StringSink(std::string& out) : m_out(out) {}
    bool write(const std::uint8_t* src, std::size_t n) override {
        try {
            m_out.append(reinterpret_cast<const char*>(src), n);
            return true;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }

private:
    std::string& m_out;
};

// An input file, closed when it goes out of scope.
class InputFileHandle {
public:
    explicit InputFileHandle(const std::string& name) : m_f(std::fopen(name.c_str(), "rb")) {}
    ~InputFileHandle() {
        if (m_f) std::fclose(m_f);
    }
    InputFileHandle(const InputFileHandle&) = delete;
    InputFileHandle& operator=(const InputFileHandle&) = delete;
    std::FILE* get() const { return m_f; }

private:
    std::FILE* m_f;
};

// The output under construction: a fresh file beside the target, renamed over the target
// only by commit(). Anything else -- an exception, a failed commit -- deletes it, so the
// target is either the complete new output or whatever it was before.
class PendingOutput {
public:
    explicit PendingOutput(std::string target) : m_target(std::move(target)) {}
    ~PendingOutput() { discard(); }
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;

    bool create() {
        std::error_code ec;
        if (m_target.empty() || fs::is_directory(m_target, ec)) return false;
        std::random_device rd;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = m_target + ".part" + std::to_string(rd() % 1000000);
            // "x": never reuse a file that happens to exist already.
            m_f = std::fopen(name.c_str(), "wbx");
            if (m_f) {
                m_temp = name;
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }

    std::FILE* get() const { return m_f; }

    bool commit() {
        bool ok = std::fflush(m_f) == 0;
#if defined(__unix__) || defined(__APPLE__)
        ok = ok && ::fsync(::fileno(m_f)) == 0;
#endif
        ok = (std::fclose(m_f) == 0) && ok;
        m_f = nullptr;
        if (ok) {
            std::error_code ec;
            fs::rename(m_temp, m_target, ec);
            ok = !ec;
        }
        if (ok) m_temp.clear();
        discard();
        return ok;
    }

    void discard() {
        if (m_f) {
            std::fclose(m_f);
            m_f = nullptr;
        }
        if (!m_temp.empty()) {
            std::error_code ec;
            fs::remove(m_temp, ec);
            m_temp.clear();
        }
    }

private:
    std::string m_target;
    std::string m_temp;
    std::FILE* m_f = nullptr;
};

// Reads until n bytes have arrived or the data ends; false on a failed read.
bool readFull(ByteSource& in, std::uint8_t* dst, std::size_t n, std::size_t& got) {
    got = 0;
    while (got < n) {
        std::size_t part = 0;
        if (!in.read(dst + got, n - got, part)) return false;
        if (part == 0) break;
        got += part;
    }
    return true;
}

} // namespace

Tlzrw1::Tlzrw1() = default;

void Tlzrw1::idle() {
    if (OnIdle) OnIdle();
}

// Shared by Advise and the Auto mode of compressBuffer: samples two chunks at one and two
// thirds of the data and compares what LZRW1/KH makes of them against Threshold.
Tlzrw1::TCompressMode Tlzrw1::resolveMode(
    std::uint64_t size,
    const std::function<std::size_t(std::uint64_t, std::uint8_t*, std::size_t)>& readAt,
    IoBuffers& buffers) {
    if (size <= kSmallFile) {
        CompressMode = Good;
        m_caption = kRecommendsSmall;
        return Good;
    }
    auto& in = buffers.in;
    auto& out = buffers.out;
    std::uint64_t sumRead = 0;
    std::uint64_t sumBody = 0;
    for (const std::uint64_t at : {size / 3, size * 2 / 3}) {
        const std::uint64_t start = at / kChunk * kChunk;
        const std::size_t got = readAt(start, in.data(), kChunk);
        sumBody += m_lzr.CompressBlock({in.data(), got}, out);
        sumRead += got;
    }
    const bool fast = std::int64_t(sumBody) < std::int64_t(sumRead) * Threshold / 100;
    m_caption = std::string(fast ? kRecommendsFast : kRecommendsGood) +
                percentText(sumBody, sumRead) + "%.";
    return fast ? Fast : Good;
}

Tlzrw1::TCompressMode Tlzrw1::Advise() {
    IoBuffers buffers(kAdviseBuffers);
    std::error_code ec;
    const std::uint64_t size = fs::file_size(InputFile, ec);
    if (ec) throw ELzrw1Exception(kAdviseSize + InputFile);
    if (size <= kSmallFile) return resolveMode(size, {}, buffers);
    InputFileHandle file(InputFile);
    if (!file.get()) throw ELzrw1Exception(kAdviseOpen + InputFile);
    return resolveMode(
        size,
        [&](std::uint64_t at, std::uint8_t* dst, std::size_t n) {
            FileSource src(file.get());
            std::size_t got = 0;
            if (at > std::uint64_t(std::numeric_limits<long>::max()) ||
                std::fseek(file.get(), long(at), SEEK_SET) != 0 || !readFull(src, dst, n, got)) {
                throw ELzrw1Exception(kAdviseRead + InputFile);
            }
            return got;
        },
        buffers);
}

std::uint64_t Tlzrw1::compressStream(TCompressMode mode, ByteSource& in, std::uint64_t size,
                                     ByteSink& out, IoBuffers& buffers) {
    const std::string writeError = kWriteError + OutputFile;
    const bool fast = mode == Fast;
    std::uint8_t header[kHeaderSize];
    putLE32(header, fast ? kSignatureLzrw1KH : kSignatureLzh);
    putLE32(header + 4, std::uint32_t(size));
    if (!out.write(header, kHeaderSize)) throw ELzrw1Exception(writeError);
    std::uint64_t written = kHeaderSize;
    std::uint64_t read = 0;
    std::string readError = kReadError + InputFile + (fast ? kReadErrorLzrw : kReadErrorLzh);

    if (fast) {
        auto& chunk = buffers.in;
        auto& body = buffers.out;
        std::size_t got = 0;
        do {
            if (!readFull(in, chunk.data(), kChunk, got)) throw ELzrw1Exception(readError);
            read += got;
            const std::size_t len =
                m_lzr.CompressBlock({chunk.data(), got}, {body.data() + 2, body.size() - 2});
            body[0] = std::uint8_t(len);
            body[1] = std::uint8_t(len >> 8);
            if (!out.write(body.data(), len + 2)) throw ELzrw1Exception(writeError);
            written += len + 2;
            idle();
        } while (got == kChunk);
    } else {
        const auto counts = m_lzh.Encode(in, out, {readError, writeError}, [this] { idle(); });
        read = counts.read;
        written += counts.written;
    }
    // The size went into the header before the data was read; if the input changed in the
    // meantime the file would not decompress, so refuse it now.
    if (read != size) throw ELzrw1Exception(readError);
    m_caption = InputFile + kCompressedAt + percentText(written, read) + "%";
    return written;
}

std::uint64_t Tlzrw1::decompressStream(ByteSource& in, ByteSink& out, IoBuffers& buffers) {
    const std::string readError = kReadError + InputFile;
    const std::string writeError = kWriteError + OutputFile;
    auto need = [&](std::uint8_t* dst, std::size_t n) {
        std::size_t got = 0;
        if (!readFull(in, dst, n, got) || got != n) throw ELzrw1Exception(readError);
    };

    std::uint8_t header[kHeaderSize];
    need(header, 4);
    const std::uint32_t signature = getLE32(header);
    if (signature != kSignatureLzrw1KH && signature != kSignatureLzh) {
        throw ELzrw1Exception(InputFile + kNoHeader);
    }
    need(header + 4, 4);
    const std::uint32_t size = getLE32(header + 4);
    std::uint64_t read = kHeaderSize;
    std::uint64_t written = 0;

    if (signature == kSignatureLzrw1KH) {
        auto& body = buffers.in;
        auto& chunk = buffers.out;
        std::size_t n = 0;
        do {
            std::uint8_t lenBytes[2];
            need(lenBytes, 2);
            const std::size_t len = std::size_t(lenBytes[0]) | (std::size_t(lenBytes[1]) << 8);
            if (len > Lzrw1KHCompressor::kMaxBody) {
                throw ELzrw1KHCompressor(Lzrw1KHCompressor::kTextTooLong);
            }
            need(body.data(), len);
            read += 2 + len;
            idle();
            n = m_lzr.ExpandBlock({body.data(), len}, chunk);
            // Past the announced size the file is wrong whatever follows; stopping here
            // keeps a forged file from making us write without end.
            if (written + n > size) throw ELzrw1Exception(kSizeMismatchLzrw);
            if (!out.write(chunk.data(), n)) throw ELzrw1Exception(writeError);
            written += n;
            idle();
        } while (n == kChunk);
        if (written != size) throw ELzrw1Exception(kSizeMismatchLzrw);
    } else {
        const auto counts = m_lzh.Decode(in, out, size, {readError + kReadErrorLzh, writeError},
                                         [this] { idle(); });
        read += counts.read;
        written = counts.written;
        if (written != size) throw ELzrw1Exception(kSizeMismatchLzh);
    }
    m_caption = InputFile + kDecompressedAt + percentText(written, read) + "%";
    return written;
}

std::uint64_t Tlzrw1::Compress() {
    TCompressMode mode = CompressMode;
    if (mode == Auto) mode = Advise();
    IoBuffers buffers(kNoBuffers);
    std::error_code ec;
    const std::uint64_t size = fs::file_size(InputFile, ec);
    // The header holds the size in 32 bits; a larger file could not be restored.
    if (ec || size > std::numeric_limits<std::uint32_t>::max()) {
        throw ELzrw1Exception(kNoSize + InputFile);
    }
    return throughFiles([&](ByteSource& in, ByteSink& out) {
        return compressStream(mode, in, size, out, buffers);
    });
}

std::uint64_t Tlzrw1::Decompress() {
    IoBuffers buffers(kNoBuffers);
    return throughFiles(
        [&](ByteSource& in, ByteSink& out) { return decompressStream(in, out, buffers); });
}

// Runs work from InputFile into a pending OutputFile, which replaces OutputFile only when
// work and the final write both succeed.
std::uint64_t Tlzrw1::throughFiles(const StreamWork& work) {
    InputFileHandle input(InputFile);
    if (!input.get()) throw ELzrw1Exception(kNoInput + InputFile);
    PendingOutput output(OutputFile);
    if (!output.create()) throw ELzrw1Exception(kNoOutput + OutputFile);
    FileSource src(input.get());
    FileSink sink(output.get());
    const std::uint64_t written = work(src, sink);
    if (!output.commit()) throw ELzrw1Exception(kWriteError + OutputFile);
    return written;
}

std::string Tlzrw1::compressBuffer(std::string_view data) {
    if (data.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw ELzrw1Exception(kNoSize + InputFile);
    }
    IoBuffers buffers(kNoBuffers);
    TCompressMode mode = CompressMode;
    if (mode == Auto) {
        mode = resolveMode(
            data.size(),
            [&](std::uint64_t at, std::uint8_t* dst, std::size_t n) {
                const std::size_t got = std::min<std::size_t>(n, data.size() - at);
                std::memcpy(dst, data.data() + at, got);
                return got;
            },
            buffers);
    }
    std::string out;
    MemorySource src(data);
    StringSink sink(out);
    compressStream(mode, src, data.size(), sink, buffers);
    return out;
}

std::string Tlzrw1::decompressBuffer(std::string_view data) {
    IoBuffers buffers(kNoBuffers);
    std::string out;
    MemorySource src(data);
    StringSink sink(out);
    decompressStream(src, sink, buffers);
    return out;
}

} // namespace core
