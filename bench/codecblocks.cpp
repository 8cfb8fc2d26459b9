// Block speed of LZRW1/KH against LZ4's default coder, in memory, on the same 32 KiB chunks of a
// mixed corpus: generated text, an executable of the system, random bytes and zeros. Each
// round times every chunk through one coder and then the other, so both meet the same machine
// load; the figures are the medians over the rounds. The LZH method is timed on the whole
// corpus for the record.
//
//   bench_codecblocks [ROUNDS]   (default 15)
//
// Lines beginning "FIGURE" carry one number each for bench/run.sh.

#include "stats/lzrw1kh.h"
#include "stats/tlzrw1.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#ifdef BRAMBLIES_HAVE_LZ4_ZLIB
#include <lz4.h>
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kChunk = core::Lzrw1KHCompressor::kChunkSize;

Bytes text(std::size_t n) {
    static const char* const words[] = {
        "the",    "player", "rolls", "five",     "dice",  "and",      "holds",   "two",   "of",
        "them",   "before", "third", "roll",     "score", "chosen",   "Bramble", "bonus", "host",
        "sends",  "every",  "slot",  "in",       "order", "a",        "tally",   "file",  "keeps",
        "games:", "played", "won",   "together", "with",  "opponents"};
    std::mt19937 rng(7);
    std::string s;
    while (s.size() < n) {
        s += words[rng() % std::size(words)];
        s += rng() % 9 == 0 ? "\r\n" : " ";
        if (rng() % 23 == 0) s += std::to_string(rng() % 1000);
    }
    s.resize(n);
    return Bytes(s.begin(), s.end());
}

// A program of the system as it lies on disk; the corpus stays the same from build to build.
Bytes executable(std::size_t n) {
    for (const char* path : {"/usr/bin/cmake", "/bin/bash", "/proc/self/exe"}) {
        std::ifstream in(path, std::ios::binary);
        Bytes b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (b.size() >= n) {
            b.erase(b.begin(), b.begin() + std::ptrdiff_t(b.size() / 4)); // past the headers
            if (b.size() >= n) {
                b.resize(n);
                return b;
            }
        }
    }
    return text(n);
}

Bytes randomBytes(std::size_t n) {
    std::mt19937 rng(11);
    Bytes b(n);
    for (auto& c : b)
        c = std::uint8_t(rng());
    return b;
}

std::vector<Bytes> corpus() {
    std::vector<Bytes> chunks;
    auto cut = [&](const Bytes& b) {
        for (std::size_t i = 0; i < b.size(); i += kChunk)
            chunks.emplace_back(b.begin() + std::ptrdiff_t(i),
                                b.begin() + std::ptrdiff_t(std::min(b.size(), i + kChunk)));
    };
    cut(text(40 * kChunk));
    cut(executable(40 * kChunk));
    cut(randomBytes(12 * kChunk));
    cut(Bytes(8 * kChunk, 0));
    return chunks;
}

// CPU time of this thread: on a shared machine the wall clock also counts other programs' turns.
double now() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::vector<Bytes> chunks = corpus();
    std::size_t total = 0;
    for (const Bytes& c : chunks)
        total += c.size();

    core::Lzrw1KHCompressor kh;
    std::vector<Bytes> bodies(chunks.size(), Bytes(kChunk + core::Lzrw1KHCompressor::kSlack));
    std::vector<std::size_t> bodyLen(chunks.size());
    Bytes out(kChunk + core::Lzrw1KHCompressor::kSlack);
    std::size_t packed = 0;
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        bodyLen[i] = kh.CompressBlock(chunks[i], bodies[i]);
        packed += bodyLen[i];
        const std::size_t n = kh.ExpandBlock({bodies[i].data(), bodyLen[i]}, out);
        if (n != chunks[i].size() || !std::equal(chunks[i].begin(), chunks[i].end(), out.begin())) {
            std::printf("LZRW1/KH round trip FAILED on chunk %zu\n", i);
            return 1;
        }
    }

    std::vector<double> khC, khE;
    volatile std::size_t sink = 0;
    auto timeKh = [&] {
        double t = now();
        for (int rep = 0; rep < 4; ++rep)
            for (std::size_t i = 0; i < chunks.size(); ++i)
                sink = sink + kh.CompressBlock(chunks[i], bodies[i]);
        khC.push_back((now() - t) / 4);
        t = now();
        for (int rep = 0; rep < 4; ++rep)
            for (std::size_t i = 0; i < chunks.size(); ++i)
                sink = sink + kh.ExpandBlock({bodies[i].data(), bodyLen[i]}, out);
        khE.push_back((now() - t) / 4);
    };
    const double mb = double(total) / 1e6;
    std::printf("corpus: %zu chunks of up to 32 KiB, %zu bytes (text, executable, random, zeros)\n",
                chunks.size(), total);
#ifdef BRAMBLIES_HAVE_LZ4_ZLIB
    std::vector<std::vector<char>> lz(chunks.size());
    std::vector<int> lzLen(chunks.size());
    std::vector<char> lzOut(kChunk);
    std::size_t lzPacked = 0;
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        lz[i].resize(std::size_t(LZ4_compressBound(int(kChunk))));
        lzLen[i] = LZ4_compress_default(reinterpret_cast<const char*>(chunks[i].data()),
                                        lz[i].data(), int(chunks[i].size()), int(lz[i].size()));
        lzPacked += std::size_t(lzLen[i]);
    }
    std::vector<double> lzC, lzE;
    for (int r = 0; r < rounds; ++r) {
        timeKh();
        double t = now();
        for (int rep = 0; rep < 4; ++rep)
            for (std::size_t i = 0; i < chunks.size(); ++i)
                sink = sink + std::size_t(LZ4_compress_default(
                                  reinterpret_cast<const char*>(chunks[i].data()), lz[i].data(),
                                  int(chunks[i].size()), int(lz[i].size())));
        lzC.push_back((now() - t) / 4);
        t = now();
        for (int rep = 0; rep < 4; ++rep)
            for (std::size_t i = 0; i < chunks.size(); ++i)
                sink = sink + std::size_t(LZ4_decompress_safe(lz[i].data(), lzOut.data(), lzLen[i],
                                                              int(lzOut.size())));
        lzE.push_back((now() - t) / 4);
    }
    std::printf("  %-10s %7.1f%% of the input, compress %7.1f MB/s, expand %7.1f MB/s\n", "LZ4",
                100.0 * double(lzPacked) / double(total), mb / median(lzC), mb / median(lzE));
#else
    for (int r = 0; r < rounds; ++r)
        timeKh();
#endif
    std::printf("  %-10s %7.1f%% of the input, compress %7.1f MB/s, expand %7.1f MB/s\n",
                "LZRW1/KH", 100.0 * double(packed) / double(total), mb / median(khC),
                mb / median(khE));
    std::printf("FIGURE kh_compress_MBps %.1f\nFIGURE kh_expand_MBps %.1f\n", mb / median(khC),
                mb / median(khE));
#ifdef BRAMBLIES_HAVE_LZ4_ZLIB
    std::printf("FIGURE kh_compress_vs_lz4 %.2f\nFIGURE kh_expand_vs_lz4 %.2f\n",
                median(lzC) / median(khC), median(lzE) / median(khE));
#endif

    // LZH over the whole corpus, a few rounds.
    std::string all;
    for (const Bytes& c : chunks)
        all.append(c.begin(), c.end());
    core::Tlzrw1 good;
    good.CompressMode = core::Tlzrw1::Good;
    std::vector<double> lhC, lhE;
    std::string lh;
    for (int r = 0; r < 3; ++r) {
        double t = now();
        lh = good.compressBuffer(all);
        lhC.push_back(now() - t);
        t = now();
        if (good.decompressBuffer(lh) != all) {
            std::printf("LZH round trip FAILED\n");
            return 1;
        }
        lhE.push_back(now() - t);
    }
    std::printf("  %-10s %7.1f%% of the input, compress %7.1f MB/s, expand %7.1f MB/s\n", "LZH",
                100.0 * double(lh.size()) / double(all.size()), mb / median(lhC),
                mb / median(lhE));
    std::printf("FIGURE lzh_compress_MBps %.1f\nFIGURE lzh_expand_MBps %.1f\n", mb / median(lhC),
                mb / median(lhE));
    return 0;
}
