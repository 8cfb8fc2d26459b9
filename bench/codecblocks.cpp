// SPDX-License-Identifier: GPL-3.0-or-later
// Block speed of LZRW1/KH against LZ4's default coder, in memory, on the same 32 KiB chunks of a
// mixed corpus: generated text, an executable of the system, random bytes and zeros. The
// LZH method is timed on the whole corpus for the record.
//
// The speed of LZ4's tight loops follows the machine more than ours does: while the core is
// shared (the host's other guests, a busy sibling thread) LZ4 loses up to 40 % and we lose
// less than 10 %, in windows of a second or more, so a median over a short run once gave
// either of two ratios. Every figure is therefore the best of many short rounds spread over
// several seconds: in each round every coder makes one pass over every chunk, the coders
// taking turns to go first; both expand into the same page-aligned buffer, and every body
// starts on a page of its own.
//
//   bench_codecblocks [SECONDS]   (default 6; at least 9 rounds)
//
// Lines beginning "FIGURE" carry one number each for bench/run.sh.

#include "stats/lzrw1kh.h"
#include "stats/tlzrw1.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
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

double wallClock() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Page-aligned room for every body and the one output chunk, each starting on a page.
class Arena {
public:
    explicit Arena(std::size_t bytes)
        : m_base(static_cast<std::uint8_t*>(std::aligned_alloc(kPage, round(bytes)))) {
        if (!m_base) std::abort();
        std::memset(m_base.get(), 0, round(bytes)); // every page mapped before timing
    }
    std::uint8_t* take(std::size_t bytes) {
        std::uint8_t* p = m_base.get() + m_used;
        m_used += round(bytes);
        return p;
    }
    static std::size_t round(std::size_t n) { return (n + kPage - 1) / kPage * kPage; }

private:
    static constexpr std::size_t kPage = 4096;
    struct Free {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint8_t, Free> m_base;
    std::size_t m_used = 0;
};

double best(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

// One coder's pass over every chunk, timed round by round; its figure is the best round.
struct Pass {
    const char* name;
    std::function<void()> run;
    std::vector<double> seconds;
    double best() const { return ::best(seconds); }
};

} // namespace

int main(int argc, char** argv) {
    const double budget = argc > 1 ? std::max(0.1, std::atof(argv[1])) : 6.0;
    constexpr int kMinRounds = 9;
    constexpr int kMaxRounds = 100000;
    const std::vector<Bytes> chunks = corpus();
    const std::size_t count = chunks.size();
    std::size_t total = 0;
    for (const Bytes& c : chunks)
        total += c.size();
    const std::size_t bodyRoom = kChunk + core::Lzrw1KHCompressor::kSlack;
#ifdef BRAMBLIES_HAVE_LZ4_ZLIB
    const std::size_t lzRoom = std::size_t(LZ4_compressBound(int(kChunk)));
#else
    const std::size_t lzRoom = 0;
#endif
    Arena arena(count * (Arena::round(bodyRoom) + Arena::round(lzRoom)) + Arena::round(bodyRoom));
    std::uint8_t* out = arena.take(bodyRoom);
    std::vector<std::uint8_t*> bodies(count);
    for (auto& b : bodies)
        b = arena.take(bodyRoom);

    core::Lzrw1KHCompressor kh;
    std::vector<std::size_t> bodyLen(count);
    std::size_t packed = 0;
    for (std::size_t i = 0; i < count; ++i) {
        bodyLen[i] = kh.CompressBlock(chunks[i], {bodies[i], bodyRoom});
        packed += bodyLen[i];
        const std::size_t n = kh.ExpandBlock({bodies[i], bodyLen[i]}, {out, bodyRoom});
        if (n != chunks[i].size() || !std::equal(chunks[i].begin(), chunks[i].end(), out)) {
            std::printf("LZRW1/KH round trip FAILED on chunk %zu\n", i);
            return 1;
        }
    }

    volatile std::size_t sink = 0;
    std::vector<Pass> passes;
    passes.push_back({"kh compress",
                      [&] {
                          for (std::size_t i = 0; i < count; ++i)
                              sink = sink + kh.CompressBlock(chunks[i], {bodies[i], bodyRoom});
                      },
                      {}});
    passes.push_back(
        {"kh expand",
         [&] {
             for (std::size_t i = 0; i < count; ++i)
                 sink = sink + kh.ExpandBlock({bodies[i], bodyLen[i]}, {out, bodyRoom});
         },
         {}});
    const double mb = double(total) / 1e6;
    std::printf("corpus: %zu chunks of up to 32 KiB, %zu bytes (text, executable, random, zeros)\n",
                count, total);
#ifdef BRAMBLIES_HAVE_LZ4_ZLIB
    std::vector<char*> lz(count);
    std::vector<int> lzLen(count);
    std::size_t lzPacked = 0;
    for (std::size_t i = 0; i < count; ++i) {
        lz[i] = reinterpret_cast<char*>(arena.take(lzRoom));
        lzLen[i] = LZ4_compress_default(reinterpret_cast<const char*>(chunks[i].data()), lz[i],
                                        int(chunks[i].size()), int(lzRoom));
        lzPacked += std::size_t(lzLen[i]);
    }
    passes.push_back({"lz4 compress",
                      [&] {
                          for (std::size_t i = 0; i < count; ++i)
                              sink = sink + std::size_t(LZ4_compress_default(
                                                reinterpret_cast<const char*>(chunks[i].data()),
                                                lz[i], int(chunks[i].size()), int(lzRoom)));
                      },
                      {}});
    passes.push_back(
        {"lz4 expand",
         [&] {
             for (std::size_t i = 0; i < count; ++i)
                 sink = sink + std::size_t(LZ4_decompress_safe(lz[i], reinterpret_cast<char*>(out),
                                                               lzLen[i], int(kChunk)));
         },
         {}});
#endif
    // Rounds until the budget is spent; within a round the passes go in turn, each round
    // starting one further on, so no coder always follows the same one.
    const double end = wallClock() + budget;
    int rounds = 0;
    while (rounds < kMinRounds || (rounds < kMaxRounds && wallClock() < end)) {
        for (std::size_t j = 0; j < passes.size(); ++j) {
            Pass& p = passes[(j + std::size_t(rounds)) % passes.size()];
            const double t = now();
            p.run();
            p.seconds.push_back(now() - t);
        }
        ++rounds;
    }
    const double khC = passes[0].best();
    const double khE = passes[1].best();
#ifdef BRAMBLIES_HAVE_LZ4_ZLIB
    const double lzC = passes[2].best();
    const double lzE = passes[3].best();
    std::printf("  %-10s %7.1f%% of the input, compress %7.1f MB/s, expand %7.1f MB/s\n", "LZ4",
                100.0 * double(lzPacked) / double(total), mb / lzC, mb / lzE);
#endif
    std::printf("  %-10s %7.1f%% of the input, compress %7.1f MB/s, expand %7.1f MB/s\n",
                "LZRW1/KH", 100.0 * double(packed) / double(total), mb / khC, mb / khE);
    std::printf("  (best of %d rounds)\n", rounds);
    std::printf("FIGURE kh_compress_MBps %.1f\nFIGURE kh_expand_MBps %.1f\n", mb / khC, mb / khE);
#ifdef BRAMBLIES_HAVE_LZ4_ZLIB
    std::printf("FIGURE kh_compress_vs_lz4 %.2f\nFIGURE kh_expand_vs_lz4 %.2f\n", lzC / khC,
                lzE / khE);
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
                100.0 * double(lh.size()) / double(all.size()), mb / best(lhC), mb / best(lhE));
    std::printf("FIGURE lzh_compress_MBps %.1f\nFIGURE lzh_expand_MBps %.1f\n", mb / best(lhC),
                mb / best(lhE));
    return 0;
}
