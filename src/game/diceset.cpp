// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/diceset.h"

#include <algorithm>

namespace core {

namespace {

int keyOf(const DiceSets::Counts& c) {
    int key = 0;
    for (int f = 6; f >= 1; --f)
        key = key * 6 + c[static_cast<std::size_t>(f)];
    return key;
}

constexpr int kKeyRange = 6 * 6 * 6 * 6 * 6 * 6;

double factorial(int n) {
    double r = 1;
    for (int i = 2; i <= n; ++i)
        r *= i;
    return r;
}

} // namespace

const DiceSets& DiceSets::instance() {
    static const DiceSets sets;
    return sets;
}

DiceSets::DiceSets() : m_byKey(kKeyRange, -1) {
    // Enumerate by size so that smaller sets come first.
    for (int n = 0; n <= 5; ++n) {
        Counts c{};
        // All ways to spread n dice over faces 1..6.
        auto spread = [&](auto&& self, int face, int left) -> void {
            if (face == 6) {
                c[6] = left;
                m_byKey[static_cast<std::size_t>(keyOf(c))] = static_cast<int>(m_counts.size());
                m_counts.push_back(c);
                m_size.push_back(n);
                return;
            }
            for (int k = left; k >= 0; --k) {
                c[static_cast<std::size_t>(face)] = k;
                self(self, face + 1, left - k);
            }
        };
        spread(spread, 1, n);
    }

    m_plus.resize(m_counts.size());
    m_minus.resize(m_counts.size());
    m_handNumber.assign(m_counts.size(), -1);
    for (std::size_t s = 0; s < m_counts.size(); ++s) {
        for (int f = 1; f <= 6; ++f) {
            Counts c = m_counts[s];
            m_plus[s][static_cast<std::size_t>(f)] = -1;
            m_minus[s][static_cast<std::size_t>(f)] = -1;
            if (m_size[s] < 5) {
                ++c[static_cast<std::size_t>(f)];
                m_plus[s][static_cast<std::size_t>(f)] = index(c);
                --c[static_cast<std::size_t>(f)];
            }
            if (c[static_cast<std::size_t>(f)] > 0) {
                --c[static_cast<std::size_t>(f)];
                m_minus[s][static_cast<std::size_t>(f)] = index(c);
            }
        }
        if (m_size[s] == 5) {
            m_handNumber[s] = static_cast<int>(m_handSet.size());
            m_handSet.push_back(static_cast<int>(s));
            double ways = factorial(5);
            for (int f = 1; f <= 6; ++f)
                ways /= factorial(m_counts[s][static_cast<std::size_t>(f)]);
            m_handChance.push_back(ways / 7776.0);
        }
    }

    for (int hand : m_handSet) {
        std::vector<int> subs;
        for (std::size_t s = 0; s < m_counts.size(); ++s) {
            bool inside = true;
            for (int f = 1; f <= 6 && inside; ++f)
                inside = m_counts[s][static_cast<std::size_t>(f)] <=
                         m_counts[static_cast<std::size_t>(hand)][static_cast<std::size_t>(f)];
            if (inside) subs.push_back(static_cast<int>(s));
        }
        std::stable_sort(subs.begin(), subs.end(), [&](int a, int b) { return size(a) > size(b); });
        m_keeps.push_back(std::move(subs));
    }
}

int DiceSets::index(const Counts& counts) const {
    int total = 0;
    for (int f = 1; f <= 6; ++f) {
        int n = counts[static_cast<std::size_t>(f)];
        if (n < 0 || n > 5) return -1;
        total += n;
    }
    if (total > 5) return -1;
    return m_byKey[static_cast<std::size_t>(keyOf(counts))];
}

int DiceSets::join(int a, int b) const {
    Counts c = counts(a);
    for (int f = 1; f <= 6; ++f)
        c[static_cast<std::size_t>(f)] += counts(b)[static_cast<std::size_t>(f)];
    return index(c);
}

int DiceSets::without(int whole, int part) const {
    Counts c = counts(whole);
    for (int f = 1; f <= 6; ++f)
        c[static_cast<std::size_t>(f)] -= counts(part)[static_cast<std::size_t>(f)];
    return index(c);
}

const std::vector<DiceSets::Outcome>& DiceSets::rerollOutcomes(int rerolled) const {
    // Worked out for every set together the first time any is asked for (about a millisecond,
    // about a megabyte): the coach asks for the same sets for every hand of every turn.
    static const std::vector<std::vector<Outcome>> table = [this] {
        std::vector<std::vector<Outcome>> all(kSetCount);
        for (int set = 0; set < kSetCount; ++set)
            all[static_cast<std::size_t>(set)] = outcomesOf(set);
        return all;
    }();
    static const std::vector<Outcome> none;
    if (rerolled < 0 || rerolled >= kSetCount) return none;
    return table[static_cast<std::size_t>(rerolled)];
}

std::vector<DiceSets::Outcome> DiceSets::outcomesOf(int rerolled) const {
    // Dense chances over every set, walked in set order.
    std::array<double, kSetCount> now{};
    std::array<double, kSetCount> next{};
    now[0] = 1.0;
    int reached = 1; // no set from here on holds a chance
    const Counts& c = counts(rerolled);
    for (int from = 1; from <= 6; ++from)
        for (int k = 0; k < c[static_cast<std::size_t>(from)]; ++k) {
            next.fill(0.0);
            int top = 0;
            for (int set = 0; set < reached; ++set) {
                const double chance = now[static_cast<std::size_t>(set)];
                if (chance == 0.0) continue;
                for (int to = 1; to <= 6; ++to)
                    if (to != from) {
                        const int n = plus(set, to);
                        next[static_cast<std::size_t>(n)] += chance / 5.0;
                        top = std::max(top, n + 1);
                    }
            }
            now = next;
            reached = top;
        }
    std::vector<Outcome> out;
    for (int set = 0; set < reached; ++set)
        if (now[static_cast<std::size_t>(set)] != 0.0)
            out.push_back({set, now[static_cast<std::size_t>(set)]});
    return out;
}

} // namespace core
