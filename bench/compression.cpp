// SPDX-License-Identifier: GPL-3.0-or-later
// Speed and ratio of the two compression methods on a mixed corpus built here (text, binary
// records, runs), side by side with LZ4 and zlib at their fastest levels when those are
// available. Figures are MB/s of uncompressed data (best of several rounds) and compressed
// size as a percentage of the original.
//
//   bench_compression [MEGABYTES [METHOD]]   (default 8 MB, all methods)

#include "stats/tlzrw1.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#ifdef BRAMBLIES_HAVE_LZ4_ZLIB
#include <lz4.h>
#include <zlib.h>
#endif

namespace {

std::string makeText(std::size_t n, std::mt19937& rng) {
    static const char* const words[] = {
        "the",      "player",    "rolls",    "five",  "dice",     "and",   "holds",    "two",
        "of",       "them",      "before",   "the",   "third",    "roll",  "scores",   "chosen",
        "category", "Bramble",   "straight", "bonus", "host",     "sends", "message",  "to",
        "every",    "connected", "slot",     "in",    "order",    "a",     "tally",    "file",
        "keeps",    "games",     "played",   "won",   "together", "with",  "opponents"};
    std::string s;
    std::size_t inLine = 0;
    while (s.size() < n) {
        s += words[rng() % std::size(words)];
        if (++inLine > 6 + rng() % 8) {
            s += rng() % 4 == 0 ? ".\r\n" : "\r\n";
            inLine = 0;
        } else {
            s += ' ';
        }
    }
    s.resize(n);
    return s;
}

// Records of small counters, timestamps and ids: the kind of binary data with structure but
// little literal repetition.
std::string makeBinary(std::size_t n, std::mt19937& rng) {
    std::string s;
    std::uint32_t stamp = 1700000000;
    while (s.size() < n) {
        stamp += rng() % 600;
        const std::uint32_t fields[] = {stamp, std::uint32_t(rng() % 7), std::uint32_t(rng() % 100),
                                        std::uint32_t(rng()), std::uint32_t(rng() % 65536)};
        for (std::uint32_t v : fields) {
            for (int b = 0; b < 4; ++b)
                s += char(v >> (8 * b));
        }
    }
    s.resize(n);
    return s;
}

std::string makeRuns(std::size_t n, std::mt19937& rng) {
    std::string s;
    while (s.size() < n) {
        s.append(1 + rng() % (rng() % 4 == 0 ? 3000 : 40), char('A' + rng() % 4));
    }
    s.resize(n);
    return s;
}

struct Codec {
    const char* name;
    std::function<std::string(const std::string&)> compress;
    std::function<std::string(const std::string&, std::size_t)> decompress;
};

double seconds(const std::function<void()>& f, std::size_t bytes) {
    // Best of five rounds, each at least long enough to time reliably.
    double best = 1e9;
    int reps = 1;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < reps; ++i)
            f();
        const double t =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, t / reps);
        if (t < 0.2 && round == 0) reps = std::max(1, int(0.2 / std::max(t, 1e-6)));
    }
    (void)bytes;
    return best;
}

void run(const char* label, const std::string& data, const std::vector<Codec>& codecs) {
    std::printf("\n%s: %zu bytes\n", label, data.size());
    std::printf("  %-22s %9s %14s %14s\n", "method", "ratio", "compress MB/s", "expand MB/s");
    for (const auto& c : codecs) {
        std::string packed = c.compress(data);
        if (c.decompress(packed, data.size()) != data) {
            std::printf("  %-22s ROUND TRIP FAILED\n", c.name);
            std::exit(1);
        }
        const double tc = seconds([&] { packed = c.compress(data); }, data.size());
        const double td = seconds([&] { (void)c.decompress(packed, data.size()); }, data.size());
        const double mb = double(data.size()) / 1e6;
        std::printf("  %-22s %8.1f%% %14.1f %14.1f\n", c.name,
                    100.0 * double(packed.size()) / double(data.size()), mb / tc, mb / td);
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t mb = argc > 1 ? std::size_t(std::atoi(argv[1])) : 8;
    const std::size_t part = mb * 1000000 / 8;
    std::mt19937 rng(2024);
    const std::string text = makeText(part * 4, rng);
    const std::string binary = makeBinary(part * 3, rng);
    const std::string runs = makeRuns(part, rng);
    // Interleave the kinds in 64 KiB pieces so every method meets all of them in one stream.
    std::string mixed;
    for (std::size_t i = 0; i < std::max({text.size(), binary.size(), runs.size()}); i += 65536) {
        for (const std::string* s : {&text, &binary, &runs}) {
            if (i < s->size()) mixed.append(*s, i, 65536);
        }
    }

    core::Tlzrw1 fast;
    fast.CompressMode = core::Tlzrw1::Fast;
    core::Tlzrw1 good;
    good.CompressMode = core::Tlzrw1::Good;
    std::vector<Codec> codecs = {
        {"LZRW1/KH", [&](const std::string& d) { return fast.compressBuffer(d); },
         [&](const std::string& p, std::size_t) { return fast.decompressBuffer(p); }},
        {"LZH", [&](const std::string& d) { return good.compressBuffer(d); },
         [&](const std::string& p, std::size_t) { return good.decompressBuffer(p); }},
    };
#ifdef BRAMBLIES_HAVE_LZ4_ZLIB
    codecs.push_back({"LZ4 (default, fastest)",
                      [](const std::string& d) {
                          std::string out(std::size_t(LZ4_compressBound(int(d.size()))), '\0');
                          out.resize(std::size_t(LZ4_compress_default(
                              d.data(), out.data(), int(d.size()), int(out.size()))));
                          return out;
                      },
                      [](const std::string& p, std::size_t n) {
                          std::string out(n, '\0');
                          LZ4_decompress_safe(p.data(), out.data(), int(p.size()), int(n));
                          return out;
                      }});
    codecs.push_back({"zlib level 1",
                      [](const std::string& d) {
                          uLongf len = compressBound(uLong(d.size()));
                          std::string out(len, '\0');
                          compress2(reinterpret_cast<Bytef*>(out.data()), &len,
                                    reinterpret_cast<const Bytef*>(d.data()), uLong(d.size()), 1);
                          out.resize(len);
                          return out;
                      },
                      [](const std::string& p, std::size_t n) {
                          std::string out(n, '\0');
                          uLongf len = uLongf(n);
                          uncompress(reinterpret_cast<Bytef*>(out.data()), &len,
                                     reinterpret_cast<const Bytef*>(p.data()), uLong(p.size()));
                          return out;
                      }});
#else
    std::printf("(LZ4 and zlib not found at build time: own methods only)\n");
#endif
    if (argc > 2) {
        std::erase_if(codecs,
                      [&](const Codec& c) { return std::string(c.name).find(argv[2]) != 0; });
    }
    run("mixed corpus", mixed, codecs);
    run("text", text, codecs);
    run("binary records", binary, codecs);
    run("runs", runs, codecs);
    return 0;
}
