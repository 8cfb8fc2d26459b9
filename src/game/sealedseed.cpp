// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sealedseed.h"

#include "game/cryptolibrary.h"

#include <algorithm>
#include <random>

namespace core::seal {

namespace {

void putBigEndian(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

Digest hmac(std::span<const std::uint8_t> key, std::span<const std::uint8_t> data) {
    Digest out{};
    CryptoLibrary::shared().hmacSha256(key, data, out);
    return out;
}

} // namespace

Digest commitment(const Secret& secret, int game) {
    std::vector<std::uint8_t> data(secret.begin(), secret.end());
    putBigEndian(data, static_cast<std::uint32_t>(game), 4);
    Digest out{};
    CryptoLibrary::shared().sha256(data, out);
    return out;
}

Digest deriveSeed(const Secret& secret, int game, std::vector<Part> parts) {
    std::sort(parts.begin(), parts.end(),
              [](const Part& a, const Part& b) { return a.slot < b.slot; });
    std::vector<std::uint8_t> data;
    putBigEndian(data, static_cast<std::uint32_t>(game), 4);
    for (const Part& p : parts) {
        data.push_back(static_cast<std::uint8_t>(p.slot));
        data.insert(data.end(), p.bytes.begin(), p.bytes.end());
    }
    return hmac(secret, data);
}

bool hashingAvailable() {
    return CryptoLibrary::shared().available();
}

bool systemRandom(std::span<std::uint8_t> out) {
    return CryptoLibrary::shared().randomBytes(out);
}

void fillRandom(std::span<std::uint8_t> out) {
    if (systemRandom(out)) return;
    std::random_device device;
    for (auto& b : out)
        b = static_cast<std::uint8_t>(device());
}

FaceStream::FaceStream(const Digest& seed, std::uint64_t position)
    : m_seed(seed), m_position(position) {}

void FaceStream::refill() {
    const std::uint64_t wanted = m_position / m_block.size();
    if (wanted == m_blockNumber) return;
    std::vector<std::uint8_t> counter;
    putBigEndian(counter, wanted, 8);
    m_block = hmac(m_seed, counter);
    m_blockNumber = wanted;
}

int FaceStream::face() {
    for (;;) {
        refill();
        const int b = m_block[m_position % m_block.size()];
        ++m_position;
        if (b < kFaceLimit) return 1 + b % 6;
    }
}

} // namespace core::seal
