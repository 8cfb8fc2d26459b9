// SPDX-License-Identifier: GPL-3.0-or-later
// Block codec: exact bodies for known inputs, and refusal of corrupt bodies.

#include "stats/lzrw1exception.h"
#include "stats/lzrw1kh.h"
#include "stats/tlzrw1.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes hex(const std::string& text) {
    Bytes out;
    for (std::size_t i = 0; i + 1 < text.size(); i += 3) {
        out.push_back(std::uint8_t(std::stoul(text.substr(i, 2), nullptr, 16)));
    }
    return out;
}

Bytes bytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

std::string lines(std::initializer_list<const char*> items) {
    std::string s;
    for (const char* item : items)
        s += std::string(item) + "\r\n";
    return s;
}

Bytes compressBlock(const Bytes& chunk) {
    core::Lzrw1KHCompressor codec;
    Bytes body(chunk.size() + core::Lzrw1KHCompressor::kSlack);
    body.resize(codec.CompressBlock(chunk, body));
    return body;
}

Bytes expandBlock(const Bytes& body) {
    core::Lzrw1KHCompressor codec;
    Bytes chunk(core::Lzrw1KHCompressor::kChunkSize);
    chunk.resize(codec.ExpandBlock(body, chunk));
    return chunk;
}

TEST(Lzrw1KHBlock, KnownBodies) {
    struct Case {
        const char* name;
        Bytes chunk;
        std::string body;
    };
    const Case cases[] = {
        {"abc x 8", bytes("abcabcabcabcabcabcabcabc"), "40 18 00 61 62 63 00 3F 01 20"},
        {"forty A", Bytes(40, 0x41), "40 80 00 00 00 18 41"},
        {"two bytes", bytes("xy"), "80 78 79"},
        {"empty", Bytes{}, "80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes body = hex(c.body);
        EXPECT_EQ(compressBlock(c.chunk), body);
        EXPECT_EQ(expandBlock(body), c.chunk);
    }
}

TEST(Lzrw1KHFile, KnownFiles) {
    struct Case {
        const char* name;
        std::string input;
        std::string file;
    };
    const Case cases[] = {
        {"nine zeros", lines({"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"}),
         "57 52 5A 4C 21 00 00 00 0E 00 40 01 80 39 0D 0A 31 0D 0A 30 00 3F 01 25"},
        {"tally table", lines({"9", "2", "0", "Ann", "12", "7", "5", "2", "230", "3",
                               "3", "2", "4", "0",   "0",  "0", "0", "0", "0",   "0"}),
         "57 52 5A 4C 41 00 00 00 30 00 40 00 01 39 0D 0A 32 0D 0A 30 0D 0A 41 6E 6E 0D 0A 31 00 "
         "C0 09 1B 37 0D 0A 35 01 52 32 33 01 70 33 0D 0A 00 30 01 70 34 02 62 01 20 80 00 00 3C"},
        {"empty", "", "57 52 5A 4C 00 00 00 00 01 00 80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::Tlzrw1 z;
        z.CompressMode = core::Tlzrw1::Fast;
        const Bytes file = hex(c.file);
        EXPECT_EQ(bytes(z.compressBuffer(c.input)), file);
        EXPECT_EQ(z.decompressBuffer(std::string(file.begin(), file.end())), c.input);
    }
}

} // namespace

namespace {

TEST(Lzrw1KHBlock, CorruptBodiesAreRefused) {
    struct Case {
        const char* name;
        Bytes body;
        const char* text;
    };
    const std::string cut = "LZRW1KH : corrupt block, an item is cut short";
    const std::string before =
        "LZRW1KH : corrupt block, a copy reaches before the start of the chunk";
    const std::string grows = "LZRW1KH : corrupt block, the chunk grows past 32768 bytes";
    // 16 literals, then a second control word announcing a copy whose bytes are missing.
    Bytes sixteen = hex("40 00 00");
    sixteen.insert(sixteen.end(), 16, 'a');
    Bytes noSecondWord = sixteen;
    noSecondWord.push_back(0x80);
    Bytes noItemAfterWord = sixteen;
    noItemAfterWord.insert(noItemAfterWord.end(), {0x80, 0x00});
    Bytes copyCut = sixteen;
    copyCut.insert(copyCut.end(), {0x80, 0x00, 0x01});
    // Eight runs of 4095 and one more: 36855 bytes.
    Bytes manyRuns = hex("40 FF 80");
    for (int i = 0; i < 9; ++i)
        manyRuns.insert(manyRuns.end(), {0x00, 0x0F, 0xEF, 0x41});
    // One literal, then copies of 18 bytes from one back until past 32768.
    Bytes copiesPast = hex("40 7F FF 41");
    for (int i = 1; i <= 1821; ++i) {
        if (i % 16 == 0) copiesPast.insert(copiesPast.end(), {0xFF, 0xFF});
        copiesPast.insert(copiesPast.end(), {0x00, 0x1F});
    }
    Bytes storedTooLong(core::Lzrw1KHCompressor::kMaxBody + 1, 0x41);
    storedTooLong[0] = 0x80;

    const Case cases[] = {
        {"kind and half a control word", hex("40 00"), cut.c_str()},
        {"second control word cut", noSecondWord, cut.c_str()},
        {"control word with no item", noItemAfterWord, cut.c_str()},
        {"copy cut short", copyCut, cut.c_str()},
        {"run cut short", hex("40 80 00 00 00 18"), cut.c_str()},
        {"copy from before the chunk", hex("40 40 00 61 00 2F"), before.c_str()},
        {"copy at the very start", hex("40 80 00 00 1F"), before.c_str()},
        {"runs past 32768", manyRuns, grows.c_str()},
        {"copies past 32768", copiesPast, grows.c_str()},
        {"body above 32769", storedTooLong, core::Lzrw1KHCompressor::kTextTooLong},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            expandBlock(c.body);
            ADD_FAILURE() << "accepted";
        } catch (const core::ELzrw1KHCompressor& e) {
            EXPECT_STREQ(e.what(), c.text);
        }
    }
}

TEST(Lzrw1KHBlock, ChunkOfExactly32768FromOneBody) {
    // Eight runs: 7 x 4095 + 4103 would overflow; 8 x 4095 + 8 literals is exactly 32768.
    Bytes body = hex("40 FF 00");
    for (int i = 0; i < 8; ++i)
        body.insert(body.end(), {0x00, 0x0F, 0xEF, 0x41});
    body.insert(body.end(), 8, 0x42);
    EXPECT_EQ(expandBlock(body).size(), 32768u);
}

TEST(Lzrw1KHBlock, NeverGrowsByMoreThanOneByteAndRoundTrips) {
    std::mt19937 rng(7);
    core::Lzrw1KHCompressor codec;
    for (std::size_t n : {0u, 1u, 2u, 3u, 4u, 17u, 100u, 4096u, 32767u, 32768u}) {
        for (int kind = 0; kind < 3; ++kind) {
            Bytes chunk(n);
            for (auto& b : chunk) {
                b = kind == 0   ? std::uint8_t(rng())
                    : kind == 1 ? std::uint8_t(rng() % 3)
                                : std::uint8_t('a' + rng() % 26);
            }
            Bytes body(n + core::Lzrw1KHCompressor::kSlack);
            const std::size_t len = codec.CompressBlock(chunk, body);
            EXPECT_LE(len, n + 1);
            body.resize(len);
            Bytes back(32768);
            back.resize(codec.ExpandBlock(body, back));
            EXPECT_EQ(back, chunk) << n << " " << kind;
        }
    }
}

} // namespace
