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

Bytes bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::string lines(std::initializer_list<const char*> items) {
    std::string s;
    for (const char* item : items) s += std::string(item) + "\r\n";
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
        {"tally table",
         lines({"9", "2", "0", "Ann", "12", "7", "5", "2", "230", "3", "3", "2", "4", "0", "0",
                "0", "0", "0", "0", "0"}),
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
