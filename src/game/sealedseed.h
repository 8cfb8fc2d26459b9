// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sealed seed of one game and the faces it gives. Everybody at the table can run these:
// the host to roll, every other copy to check the host's rolls once the secret is revealed.
//
//   commitment = SHA-256(secret || game as 4 bytes, big-endian)
//   seed       = HMAC-SHA-256(key = secret,
//                             game as 4 bytes || for each part in ascending slot order:
//                                               slot as 1 byte || its 16 bytes)
//   stream     = HMAC-SHA-256(key = seed, block number as 8 bytes, big-endian), block 0, 1, ...
//   face       = the next stream byte b below 252 gives 1 + b % 6; bytes 252..255 are skipped,
//                so each face is exactly as likely as any other.
//
// The stream's position counts the bytes used so far, skipped ones included; a copy that
// joins mid-game is told it and checks the rolls from there on.

#include "game/randomsource.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace core::seal {

inline constexpr std::size_t kSecretSize = 32;
inline constexpr int kFaceLimit = 252; // the largest multiple of 6 that fits in a byte
inline constexpr std::size_t kPartSize = 16;
using Secret = std::array<std::uint8_t, kSecretSize>;
using Digest = std::array<std::uint8_t, 32>;
using PartBytes = std::array<std::uint8_t, kPartSize>;

// One table's contribution to the seed.
struct Part {
    int slot = 0;
    PartBytes bytes{};
    bool operator==(const Part&) const = default;
};

// Whether the hashes below can be computed: they need libcrypto, opened on the first call.
// Without it they give zeros, so the dice must not be sealed or checked with them.
bool hashingAvailable();

Digest commitment(const Secret& secret, int game);
// The parts may come in any order: they are mixed in slot order.
Digest deriveSeed(const Secret& secret, int game, std::vector<Part> parts);

// Fills `out` from the operating system's random source; false if it could not.
bool systemRandom(std::span<std::uint8_t> out);
// The same, falling back to std::random_device where that fails (not expected on any system we
// run on; the bytes stay unpredictable).
void fillRandom(std::span<std::uint8_t> out);

// The faces of one seed, drawn in order.
class FaceStream : public RandomSource {
public:
    explicit FaceStream(const Digest& seed, std::uint64_t position = 0);
    int face() override;
    std::uint64_t position() const { return m_position; }

private:
    void refill();

    Digest m_seed;
    std::uint64_t m_position;
    Digest m_block{};
    std::uint64_t m_blockNumber = UINT64_MAX; // the block m_block holds
};

} // namespace core::seal
