// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dice's random source. The program seeds it differently on every start; tests script it.

#include <cstdint>
#include <random>

namespace core {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A face drawn uniformly from 1 to 6.
    virtual int face() = 0;
};

// The program's source: a Mersenne twister seeded once.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : m_engine(seed) {}
    int face() override { return m_dist(m_engine); }

private:
    std::mt19937_64 m_engine;
    std::uniform_int_distribution<int> m_dist{1, 6};
};

} // namespace core
