// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every multiset of up to five dice, numbered once, with the moves between them: adding or
// taking away one face. The solver works on these instead of ordered dice, since neither the
// score nor the chances of a roll depend on which die shows which face.

#include <array>
#include <cstdint>
#include <vector>

namespace core {

class DiceSets {
public:
    using Counts = std::array<int, 7>; // index 1..6: dice showing that face

    static constexpr int kSetCount = 462;  // multisets of 0..5 dice over six faces
    static constexpr int kHandCount = 252; // multisets of exactly five dice

    static const DiceSets& instance();

    int index(const Counts& counts) const;
    const Counts& counts(int set) const { return m_counts[static_cast<std::size_t>(set)]; }
    int size(int set) const { return m_size[static_cast<std::size_t>(set)]; }
    // The set with one more die showing `face`, -1 when it already holds five dice.
    int plus(int set, int face) const { return m_plus[static_cast<std::size_t>(set)][face]; }
    // The set with one die showing `face` less, -1 when none shows it.
    int minus(int set, int face) const { return m_minus[static_cast<std::size_t>(set)][face]; }
    // `a` and `b` together; both must fit into five dice.
    int join(int a, int b) const;
    // `part` taken out of `whole`; `part` must be contained in it.
    int without(int whole, int part) const;

    // Hands (five dice) carry a dense number 0..251 as well.
    int handNumber(int set) const { return m_handNumber[static_cast<std::size_t>(set)]; }
    int handSet(int hand) const { return m_handSet[static_cast<std::size_t>(hand)]; }
    // The chance that rolling all five dice gives this hand.
    double handChance(int hand) const { return m_handChance[static_cast<std::size_t>(hand)]; }
    // Every sub-multiset of a hand, the largest first.
    const std::vector<int>& keeps(int hand) const {
        return m_keeps[static_cast<std::size_t>(hand)];
    }

    // Chances of the faces a set of dice shows after each of them is rolled again: a re-rolled
    // die never keeps its face, so it lands on each of the other five with chance 1/5.
    struct Outcome {
        int set;
        double chance;
    };
    // Empty for a number that is no set.
    const std::vector<Outcome>& rerollOutcomes(int rerolled) const;

private:
    DiceSets();
    std::vector<Outcome> outcomesOf(int rerolled) const;

    std::vector<Counts> m_counts;
    std::vector<int> m_size;
    std::vector<std::array<int, 7>> m_plus;
    std::vector<std::array<int, 7>> m_minus;
    std::vector<int> m_byKey; // base-6 code of the counts -> set
    std::vector<int> m_handNumber;
    std::vector<int> m_handSet;
    std::vector<double> m_handChance;
    std::vector<std::vector<int>> m_keeps;
};

} // namespace core
