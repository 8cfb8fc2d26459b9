// SPDX-License-Identifier: GPL-3.0-or-later
// LZH codec: one codec keeps its tables from run to run, and every run must still write and
// read exactly what a new codec would.

#include "stats/tlzrw1.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using core::Tlzrw1;

TEST(LzhTables, ARunAfterOthersWritesWhatANewCodecWrites) {
    std::mt19937 rng(9);
    std::vector<std::string> inputs;
    for (std::size_t n : {5000u, 40u, 0u, 70000u, 3u, 61u, 9000u}) {
        std::string s(n, '\0');
        for (std::size_t i = 0; i < n; ++i)
            s[i] = i % 3000 < 1500 ? char(rng()) : char('a' + rng() % 3); // noise, then repeats
        inputs.push_back(s);
    }
    // Spaces fill the dictionary a run starts with: a short run of them after a long one
    // finds whatever the tables still hold.
    inputs.push_back(std::string(5000, ' '));
    inputs.push_back(std::string(3, ' '));
    Tlzrw1 kept;
    kept.CompressMode = Tlzrw1::Good;
    for (const std::string& input : inputs) {
        Tlzrw1 fresh;
        fresh.CompressMode = Tlzrw1::Good;
        const std::string packed = kept.compressBuffer(input);
        EXPECT_EQ(packed, fresh.compressBuffer(input)) << input.size();
        EXPECT_EQ(kept.decompressBuffer(packed), input) << input.size();
    }
}

} // namespace
