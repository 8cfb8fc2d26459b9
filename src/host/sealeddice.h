// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The host's dice for sealed games. Each game draws a fresh secret and shows only its
// commitment; tables may then add their parts, until the first face is drawn: that fixes the
// seed from the secret and the parts in hand, and every face of the game comes from it.
//
// Per game: sealed (seal) -> fixed (first face) -> sealed again by the next game's seal.
// Without the hash library nothing can be sealed: the faces then come straight from the random
// source, equally likely as ever.

#include "game/randomsource.h"
#include "game/sealedseed.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace core {

class SealedDice : public RandomSource {
public:
    // Fills the span with secret bytes; the system's random source unless a test replaces it.
    using Entropy = std::function<void(std::span<std::uint8_t>)>;
    explicit SealedDice(Entropy entropy = {});

    // Begins game `game` with a fresh secret and returns its commitment.
    seal::Digest seal(int game);
    // A table's part, taken only before the seed is fixed and only once per slot.
    bool contribute(int slot, const seal::PartBytes& bytes);
    // Fixes the seed if this is the game's first face (sealing a game first if none was).
    int face() override;

    int game() const { return m_game; }
    bool fixed() const { return m_stream.has_value(); }
    const seal::Secret& secret() const { return m_secret; }
    const seal::Digest& commitment() const { return m_commitment; }
    // The parts mixed in, in slot order (those in hand while the seed is not yet fixed).
    const std::vector<seal::Part>& parts() const { return m_parts; }
    // Stream bytes used so far this game.
    std::uint64_t position() const { return m_stream ? m_stream->position() : 0; }

private:
    int plainFace();

    Entropy m_entropy;
    int m_game = 0;
    bool m_sealed = false;
    seal::Secret m_secret{};
    seal::Digest m_commitment{};
    std::vector<seal::Part> m_parts;
    std::optional<seal::FaceStream> m_stream;
};

} // namespace core
