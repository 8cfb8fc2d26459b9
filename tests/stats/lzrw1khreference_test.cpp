// SPDX-License-Identifier: GPL-3.0-or-later
// Block codec against a plain byte-at-a-time coder of the same format: the fast coder must
// write exactly the same bodies, and its expander must give back every chunk and stay inside
// its buffers when a body is cut short or damaged.

#include "stats/lzrw1exception.h"
#include "stats/lzrw1kh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The format written the slow, obvious way: at each position a run of 16 or more identical
// bytes, else the one candidate the hash of the next three bytes remembers, else a literal.
Bytes referenceBody(const Bytes& s) {
    const std::size_t n = s.size();
    std::vector<long> table(4096, -1);
    Bytes t(n + 16, 0);
    t[0] = 0x40;
    std::size_t x = 0, y = 3, z = 1;
    unsigned k = 0, c = 0;
    auto at = [&](std::size_t i) -> unsigned { return i < n ? s[i] : 0; };
    while (x < n && y <= n) {
        if (k == 16) {
            t[z] = std::uint8_t(c >> 8), t[z + 1] = std::uint8_t(c);
            z = y, y += 2, k = 0, c = 0;
        }
        std::size_t m = 1;
        while (m < std::min<std::size_t>(4095, n - x) && s[x + m] == s[x])
            ++m;
        std::size_t len = 0;
        if (m >= 16) {
            t[y] = 0, t[y + 1] = std::uint8_t((m - 16) >> 8), t[y + 2] = std::uint8_t(m - 16);
            t[y + 3] = s[x];
            y += 4, x += m, c = c << 1 | 1;
        } else {
            const unsigned h =
                ((((at(x) << 4) ^ at(x + 1)) << 4 ^ at(x + 2)) * 40543u >> 4) & 0xFFF;
            const long cand = table[h];
            table[h] = long(x);
            if (cand >= 0 && long(x) - cand <= 4095) {
                while (len < std::min<std::size_t>(18, n - x) &&
                       s[x + len] == s[std::size_t(cand) + len])
                    ++len;
            }
            if (len >= 3) {
                const std::size_t w = ((x - std::size_t(cand)) << 4) | (len - 3);
                t[y] = std::uint8_t(w >> 8), t[y + 1] = std::uint8_t(w);
                y += 2, x += len, c = c << 1 | 1;
            } else {
                t[y++] = s[x++];
                c <<= 1;
            }
        }
        ++k;
    }
    c <<= 16 - k;
    t[z] = std::uint8_t(c >> 8), t[z + 1] = std::uint8_t(c);
    if (y > n) {
        Bytes stored(n + 1, 0x80);
        std::copy(s.begin(), s.end(), stored.begin() + 1);
        return stored;
    }
    t.resize(y);
    return t;
}

// Chunks of many shapes: random bytes, short runs, words, repeats at short offsets and long
// runs, in sizes that cross the coder's word and group steps and reach the chunk's limit.
std::vector<Bytes> chunks() {
    std::mt19937 rng(16);
    auto make = [&](std::size_t n, int kind) {
        Bytes b(n);
        for (std::size_t i = 0; i < n; ++i) {
            switch (kind) {
            case 0:
                b[i] = std::uint8_t(rng());
                break;
            case 1:
                b[i] = std::uint8_t(rng() % 3);
                break;
            case 2:
                b[i] = i >= 5 && rng() % 4 ? b[i - 1 - rng() % 5] : std::uint8_t('a' + rng() % 4);
                break;
            case 3:
                b[i] = i >= 40 && rng() % 8 ? b[i - 40 + rng() % 30] : std::uint8_t(rng());
                break;
            case 4:
                b[i] = i >= 18 + n % 3 * 18 ? b[i - 18 - n % 3 * 18] : std::uint8_t(rng());
                break;
            default:
                b[i] = std::uint8_t(i / (1 + rng() % 200) % 2 ? 7 : rng() % 2);
                break;
            }
        }
        return b;
    };
    std::vector<Bytes> out;
    for (std::size_t n = 0; n <= 1500; n += n < 300 ? 1 : 7)
        for (int kind = 0; kind < 6; ++kind)
            out.push_back(make(n, kind));
    for (std::size_t n : {1000u, 4095u, 4097u, 9000u, 32760u, 32767u, 32768u})
        for (int kind = 0; kind < 6; ++kind)
            out.push_back(make(n, kind));
    return out;
}

// Expands body into exactly cap bytes lying between guard bytes; fails the test if the
// expander touched a guard. Returns the chunk, or nothing when the body was refused.
std::optional<Bytes> expandBetweenGuards(core::Lzrw1KHCompressor& codec, const Bytes& body,
                                         std::size_t cap) {
    Bytes room(cap + 64, 0xEE);
    std::optional<Bytes> chunk;
    try {
        const std::size_t n = codec.ExpandBlock(body, {room.data() + 32, cap});
        chunk = Bytes(room.begin() + 32, room.begin() + 32 + std::ptrdiff_t(std::min(n, cap)));
        EXPECT_LE(n, cap);
    } catch (const core::ELzrw1KHCompressor&) {
    }
    const auto guard = [](std::uint8_t b) { return b == 0xEE; };
    EXPECT_TRUE(std::all_of(room.begin(), room.begin() + 32, guard));
    EXPECT_TRUE(std::all_of(room.end() - 32, room.end(), guard));
    return chunk;
}

TEST(Lzrw1KHReference, SameBodiesAndRoundTrips) {
    core::Lzrw1KHCompressor codec;
    for (const Bytes& chunk : chunks()) {
        Bytes body(chunk.size() + core::Lzrw1KHCompressor::kSlack);
        body.resize(codec.CompressBlock(chunk, body));
        ASSERT_EQ(body, referenceBody(chunk)) << chunk.size();
        ASSERT_EQ(expandBetweenGuards(codec, body, chunk.size()), chunk) << chunk.size();
        // Short of the room it needs: refused, and nothing written past the room.
        if (!chunk.empty()) {
            EXPECT_EQ(expandBetweenGuards(codec, body, chunk.size() - 1), std::nullopt);
            EXPECT_EQ(expandBetweenGuards(codec, body, chunk.size() / 2), std::nullopt);
        }
    }
}

TEST(Lzrw1KHReference, DamagedBodiesStayInsideTheirBuffers) {
    core::Lzrw1KHCompressor codec;
    std::mt19937 rng(5);
    for (const Bytes& chunk : chunks()) {
        if (chunk.size() < 200) continue;
        Bytes body(chunk.size() + core::Lzrw1KHCompressor::kSlack);
        body.resize(codec.CompressBlock(chunk, body));
        for (int trial = 0; trial < 8; ++trial) {
            Bytes bad(body.begin(), body.begin() + std::ptrdiff_t(2 + rng() % (body.size() - 1)));
            for (int flips = 0; flips < trial; ++flips)
                bad[1 + rng() % (bad.size() - 1)] ^= std::uint8_t(1 << rng() % 8);
            expandBetweenGuards(codec, bad,
                                trial % 2 ? chunk.size() : core::Lzrw1KHCompressor::kChunkSize);
        }
    }
}

// Every near copy a whole group can hold: each offset 1..32 with each length, sixteen copies in
// a row or each after a literal, so that every copy reads bytes written just before it; whole
// groups of literals around them, and the room exactly what the chunk needs.
TEST(Lzrw1KHReference, NearCopiesInWholeGroups) {
    core::Lzrw1KHCompressor codec;
    for (const unsigned flags : {0xFFFFu, 0x5555u})
        for (std::size_t d = 1; d <= 32; ++d)
            for (std::size_t n = 3; n <= 18; ++n) {
                Bytes body{0x40};
                Bytes chunk;
                auto group = [&](unsigned control) {
                    body.insert(body.end(), {std::uint8_t(control >> 8), std::uint8_t(control)});
                    for (unsigned bit = 0x8000; bit != 0; bit >>= 1) {
                        if (control & bit) {
                            const std::size_t w = d << 4 | (n - 3);
                            body.insert(body.end(), {std::uint8_t(w >> 8), std::uint8_t(w)});
                            for (std::size_t i = 0; i < n; ++i)
                                chunk.push_back(chunk[chunk.size() - d]);
                        } else {
                            chunk.push_back(std::uint8_t(chunk.size() * 7 + d));
                            body.push_back(chunk.back());
                        }
                    }
                };
                group(0);
                group(0);
                group(flags);
                for (int i = 0; i < 20; ++i)
                    group(0);
                ASSERT_EQ(expandBetweenGuards(codec, body, chunk.size()), chunk) << d << ' ' << n;
            }
}

} // namespace
