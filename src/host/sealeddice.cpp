// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/sealeddice.h"

#include <algorithm>

namespace core {

SealedDice::SealedDice(Entropy entropy)
    : m_entropy(entropy ? std::move(entropy) : Entropy(seal::fillRandom)) {}

seal::Digest SealedDice::seal(int game) {
    m_game = game;
    m_sealed = true;
    m_entropy(m_secret);
    m_commitment = seal::commitment(m_secret, game);
    m_parts.clear();
    m_stream.reset();
    return m_commitment;
}

bool SealedDice::contribute(int slot, const seal::PartBytes& bytes) {
    if (!m_sealed || fixed()) return false;
    auto at = std::find_if(m_parts.begin(), m_parts.end(),
                           [&](const seal::Part& p) { return p.slot >= slot; });
    if (at != m_parts.end() && at->slot == slot) return false;
    m_parts.insert(at, {slot, bytes});
    return true;
}

int SealedDice::face() {
    if (!seal::hashingAvailable()) return plainFace();
    if (!m_sealed) seal(m_game);
    if (!m_stream) m_stream.emplace(seal::deriveSeed(m_secret, m_game, m_parts));
    return m_stream->face();
}

int SealedDice::plainFace() {
    for (;;) {
        std::uint8_t b[1];
        m_entropy(b);
        if (b[0] < seal::kFaceLimit) return 1 + b[0] % 6;
    }
}

} // namespace core
