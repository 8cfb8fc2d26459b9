// SPDX-License-Identifier: GPL-3.0-or-later
// The compression component: container format, round trips of both methods, refusal texts,
// and the promise that a failed file operation leaves no output behind.

#include "stats/tlzrw1.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using core::Tlzrw1;

std::string randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (auto& c : s)
        c = char(rng());
    return s;
}

std::string sampleText(std::size_t n) {
    static const char* const words[] = {"Ann", "rolls", "the",  "dice", "and", "holds",
                                        "two", "sixes", "\r\n", "0",    "12",  "Bramble"};
    std::mt19937 rng(3);
    std::string s;
    while (s.size() < n)
        s += std::string(words[rng() % 12]) + " ";
    s.resize(n);
    return s;
}

std::string runsAndNoise(std::size_t n) {
    std::mt19937 rng(5);
    std::string s;
    while (s.size() < n) {
        s.append(rng() % 5000, char(rng()));
        s += randomBytes(rng() % 40, unsigned(s.size()));
    }
    s.resize(n);
    return s;
}

std::string compress(Tlzrw1::TCompressMode mode, std::string_view data) {
    Tlzrw1 z;
    z.CompressMode = mode;
    return z.compressBuffer(data);
}

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const core::ELzrw1Exception& e) {
        return e.what();
    }
    return "no error";
}

TEST(Tlzrw1Buffer, RoundTripsBothMethods) {
    std::vector<std::size_t> sizes = {0, 1, 2, 3, 59, 60, 61, 4095, 4096, 4097};
    for (std::size_t k = 1; k <= 3; ++k) {
        for (std::size_t d : {k * 32768 - 1, k * 32768, k * 32768 + 1})
            sizes.push_back(d);
    }
    for (auto mode : {Tlzrw1::Fast, Tlzrw1::Good}) {
        for (std::size_t n : sizes) {
            for (const auto& data : {randomBytes(n, unsigned(n)), sampleText(n), runsAndNoise(n),
                                     std::string(n, 'z')}) {
                const std::string packed = compress(mode, data);
                Tlzrw1 z;
                ASSERT_EQ(z.decompressBuffer(packed), data) << "mode " << mode << " size " << n;
            }
        }
    }
}

TEST(Tlzrw1Buffer, HeaderAndBlockLayout) {
    // A whole chunk is followed by the empty block.
    const std::string full = compress(Tlzrw1::Fast, std::string(32768, 'q'));
    EXPECT_EQ(full.substr(0, 8), std::string("WRZL\x00\x80\x00\x00", 8));
    EXPECT_EQ(full.substr(full.size() - 3), std::string("\x01\x00\x80", 3));
    // LZH: signature, size, and nothing more for empty input.
    EXPECT_EQ(compress(Tlzrw1::Good, ""), std::string("!HZL\0\0\0\0", 8));
    EXPECT_EQ(compress(Tlzrw1::Good, "abc").substr(0, 8), std::string("!HZL\x03\0\0\0", 8));
    // "A" in the starting tree: leaf 65 lies nine levels down, path 111001101, padded.
    EXPECT_EQ(compress(Tlzrw1::Good, "A"), std::string("!HZL\x01\0\0\0\xE6\x80", 10));
    // Random data costs at most the header, two length bytes and one kind byte per chunk.
    const std::string noise = randomBytes(100000, 1);
    EXPECT_EQ(compress(Tlzrw1::Fast, noise).size(), 8 + 4 * 3 + noise.size());
}

TEST(Tlzrw1Buffer, BytesAfterTheLastBlockAreIgnored) {
    for (auto mode : {Tlzrw1::Fast, Tlzrw1::Good}) {
        for (std::size_t n : {std::size_t(0), std::size_t(700), std::size_t(32768)}) {
            const std::string data = sampleText(n);
            Tlzrw1 z;
            EXPECT_EQ(z.decompressBuffer(compress(mode, data) + "trailing junk"), data);
        }
    }
}

TEST(Tlzrw1Buffer, BadInputGivesItsText) {
    const std::string text = sampleText(40000);
    const std::string fast = compress(Tlzrw1::Fast, text);
    const std::string good = compress(Tlzrw1::Good, text);
    std::string wrongSize = fast;
    wrongSize[4] = char(wrongSize[4] + 1);
    std::string tooSmallSize = fast;
    tooSmallSize[5] = 0; // 40000 -> 64
    // A literal, then a match of 60 overshoots a size of 2.
    std::string lzhWrongSize = compress(Tlzrw1::Good, std::string(1000, 'a'));
    lzhWrongSize[4] = 2;
    lzhWrongSize[5] = 0;
    std::string badBlock =
        std::string("WRZL\x03\0\0\0", 8) + std::string("\x06\x00\x40\x40\x00a\x00\x2f", 8);
    std::string longBlock = std::string("WRZL\x03\0\0\0", 8) + std::string("\x02\x80", 2);
    const std::string read = "Lzrw1 : Error reading from input file : tally";
    const std::string mismatch =
        "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
    struct Case {
        const char* name;
        std::string input;
        std::string text;
    };
    const Case cases[] = {
        {"empty", "", read},
        {"short signature", "WRZ", read},
        {"wrong signature", "WRZX\0\0\0\0\x01\x00\x80",
         "tally : Lzrw1 decompression : this file has no valid header !"},
        {"missing size", "WRZL\0\0", read},
        {"missing block", std::string("WRZL\0\0\0\0", 8), read},
        {"block cut short", fast.substr(0, 1000), read},
        {"length cut short", fast.substr(0, fast.size() - 4), read},
        {"size too large", wrongSize, mismatch},
        {"size too small", tooSmallSize, mismatch},
        {"corrupt block", badBlock,
         "LZRW1KH : corrupt block, a copy reaches before the start of the chunk"},
        {"length above 32769", longBlock, core::Lzrw1KHCompressor::kTextTooLong},
        {"lzh size", lzhWrongSize,
         "Lzrw1 (LZH decompression) : Original and compressed sizes do not match !"},
        {"lzh truncated", good.substr(0, 100), read + " (LZH)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tlzrw1 z;
        z.InputFile = "tally";
        EXPECT_EQ(errorOf([&] { z.decompressBuffer(c.input); }), c.text);
    }
    // One catch handles the codec's own exceptions too.
    Tlzrw1 z;
    EXPECT_THROW(z.decompressBuffer(badBlock), core::ELzrw1KHCompressor);
}

TEST(Tlzrw1Buffer, AdviseSamplesTheMiddleThirds) {
    struct Case {
        const char* name;
        std::string data;
        int threshold;
        Tlzrw1::TCompressMode expected;
    };
    const Case cases[] = {
        {"small file", std::string(98303, 'a'), 40, Tlzrw1::Good},
        {"long runs", std::string(98304, 'a'), 40, Tlzrw1::Fast},
        {"noise", randomBytes(300000, 9), 40, Tlzrw1::Good},
        {"text, low threshold", sampleText(300000), 10, Tlzrw1::Good},
        {"text, high threshold", sampleText(300000), 90, Tlzrw1::Fast},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tlzrw1 z;
        z.CompressMode = Tlzrw1::Auto;
        z.Threshold = c.threshold;
        const std::string packed = z.compressBuffer(c.data);
        EXPECT_EQ(packed.substr(0, 4), c.expected == Tlzrw1::Fast ? "WRZL" : "!HZL");
        EXPECT_EQ(z.decompressBuffer(packed), c.data);
    }
    Tlzrw1 z;
    z.CompressMode = Tlzrw1::Auto;
    z.compressBuffer("small");
    EXPECT_EQ(z.CompressMode, Tlzrw1::Good);
}

class Tlzrw1Files : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir =
            fs::temp_directory_path() /
            ("tlzrw1_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const char* name) const { return (m_dir / name).string(); }
    static void write(const std::string& file, const std::string& data) {
        std::ofstream(file, std::ios::binary) << data;
    }
    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> listing() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir))
            names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_dir;
};

TEST_F(Tlzrw1Files, CompressAndDecompressReplaceTheOutput) {
    const std::string data = sampleText(70000);
    write(path("in"), data);
    write(path("packed"), "old tally");
    Tlzrw1 z;
    int idleCalls = 0;
    z.OnIdle = [&] { ++idleCalls; };
    z.CompressMode = Tlzrw1::Fast;
    z.InputFile = path("in");
    z.OutputFile = path("packed");
    const auto written = z.Compress();
    EXPECT_EQ(read(path("packed")), z.compressBuffer(data));
    EXPECT_EQ(written, fs::file_size(path("packed")));
    EXPECT_GE(idleCalls, 3);
    EXPECT_EQ(z.Caption(), path("in") + " : Lzrw1 : successfully compressed at " +
                               std::to_string(written * 100 / data.size()) + "%");

    z.InputFile = path("packed");
    z.OutputFile = path("packed"); // decompressing in place works: the input is read first
    EXPECT_EQ(z.Decompress(), data.size());
    EXPECT_EQ(read(path("packed")), data);
    EXPECT_EQ(listing(), (std::vector<std::string>{"in", "packed"}));
}

TEST_F(Tlzrw1Files, FailureLeavesTheOldOutputAndNoPartialFile) {
    const std::string packed = compress(Tlzrw1::Fast, sampleText(100000));
    write(path("truncated"), packed.substr(0, packed.size() / 2));
    write(path("noheader"), "PK\x03\x04 not ours");
    write(path("tally"), "previous tally");
    struct Case {
        const char* name;
        bool compress;
        std::string input;
        std::string output;
        std::string text;
    };
    const Case cases[] = {
        {"truncated", false, path("truncated"), path("tally"),
         "Lzrw1 : Error reading from input file : " + path("truncated")},
        {"no header", false, path("noheader"), path("tally"),
         path("noheader") + " : Lzrw1 decompression : this file has no valid header !"},
        {"missing input", false, path("absent"), path("tally"),
         "Lzrw1 (de)compression : Failed to open input file : " + path("absent")},
        {"missing input to compress", true, path("absent"), path("tally"),
         "Lzrw1 compression : Failed to obtain the size of : " + path("absent")},
        {"output in a missing folder", true, path("noheader"), path("nowhere/x"),
         "Lzrw1 (de)compression : Failed to open output file : " + path("nowhere/x")},
        {"output is a folder", false, path("truncated"), m_dir.string(),
         "Lzrw1 (de)compression : Failed to open output file : " + m_dir.string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tlzrw1 z;
        z.InputFile = c.input;
        z.OutputFile = c.output;
        EXPECT_EQ(errorOf([&] { c.compress ? z.Compress() : z.Decompress(); }), c.text);
        EXPECT_EQ(read(path("tally")), "previous tally");
        EXPECT_EQ(listing(), (std::vector<std::string>{"noheader", "tally", "truncated"}));
    }
}

TEST_F(Tlzrw1Files, AdviseReadsTheFile) {
    write(path("runs"), std::string(200000, 'x'));
    write(path("small"), "abc");
    Tlzrw1 z;
    z.InputFile = path("runs");
    EXPECT_EQ(z.Advise(), Tlzrw1::Fast);
    EXPECT_EQ(z.Caption(), "Lzrw1 recommends FAST compression : 0%.");
    EXPECT_EQ(z.CompressMode, Tlzrw1::Good);
    z.InputFile = path("small");
    z.CompressMode = Tlzrw1::Auto;
    EXPECT_EQ(z.Advise(), Tlzrw1::Good);
    EXPECT_EQ(z.CompressMode, Tlzrw1::Good);
    EXPECT_EQ(z.Caption(), "Lzrw1 recommends GOOD compression :  small file !!");
    z.InputFile = path("absent");
    EXPECT_EQ(errorOf([&] { z.Advise(); }),
              "Lzrw1 advise : can not get the size of : " + path("absent"));
}

} // namespace
