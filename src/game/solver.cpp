// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/solver.h"

#include "game/diceset.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>

namespace core {

namespace {

constexpr unsigned kAllOpen = 0x7F;
constexpr unsigned kBrambleBit = 1u << (kBrambleCategory - 1);
constexpr unsigned kFaceBits = 0x3F;
constexpr double kTie = 1e-9; // decisions closer than this are equal; the first one stays
std::atomic<int> liveSolvers{0};

unsigned bit(int category) {
    return 1u << (category - 1);
}

// The expectation over re-rolls, done one re-rolled die at a time. A "pair" is the dice kept
// so far and the dice still to roll, five in all; its value is the average over the five
// faces its next die can land on. Pairs with nothing left to roll are whole hands.
struct RerollPlan {
    std::vector<int> leafHand; // pair -> hand, for the pairs with nothing left to roll
    int leafCount = 0;
    std::vector<int> children; // five per further pair, in order
    // Per hand: each keep with the pair (keep, rest of the hand).
    std::vector<std::vector<std::pair<int, int>>> keeps; // (pair, keep set)

    static const RerollPlan& instance() {
        static const RerollPlan plan;
        return plan;
    }

private:
    RerollPlan() {
        const DiceSets& ds = DiceSets::instance();
        const int n = DiceSets::kSetCount;
        std::vector<int> id(static_cast<std::size_t>(n * n), -1);
        auto at = [&](int k, int r) -> int& { return id[static_cast<std::size_t>(k * n + r)]; };
        std::vector<std::pair<int, int>> order;
        for (int r = 0; r <= 5; ++r)
            for (int k = 0; k < n; ++k) {
                if (ds.size(k) != 5 - r) continue;
                for (int rest = 0; rest < n; ++rest)
                    if (ds.size(rest) == r) {
                        at(k, rest) = static_cast<int>(order.size());
                        order.push_back({k, rest});
                    }
            }
        for (const auto& [k, rest] : order) {
            if (ds.size(rest) == 0) {
                leafHand.push_back(ds.handNumber(k));
                continue;
            }
            int from = 1;
            while (ds.counts(rest)[static_cast<std::size_t>(from)] == 0)
                ++from;
            int smaller = ds.minus(rest, from);
            for (int to = 1; to <= 6; ++to)
                if (to != from) children.push_back(at(ds.plus(k, to), smaller));
        }
        leafCount = static_cast<int>(leafHand.size());
        keeps.resize(DiceSets::kHandCount);
        for (int h = 0; h < DiceSets::kHandCount; ++h)
            for (int keep : ds.keeps(h))
                keeps[static_cast<std::size_t>(h)].push_back(
                    {at(keep, ds.without(ds.handSet(h), keep)), keep});
    }
};

// For every hand, the best keep against the values `next` of the hands after the re-roll.
void bestKeeps(const std::vector<double>& next, std::vector<double>& best,
               std::vector<std::uint16_t>& keep) {
    const RerollPlan& plan = RerollPlan::instance();
    const std::size_t pairs = plan.leafHand.size() + plan.children.size() / 5;
    static thread_local std::vector<double> g;
    g.resize(pairs);
    std::size_t p = 0;
    for (; p < plan.leafHand.size(); ++p)
        g[p] = next[static_cast<std::size_t>(plan.leafHand[p])];
    const int* child = plan.children.data();
    for (; p < pairs; ++p, child += 5)
        g[p] = (g[static_cast<std::size_t>(child[0])] + g[static_cast<std::size_t>(child[1])] +
                g[static_cast<std::size_t>(child[2])] + g[static_cast<std::size_t>(child[3])] +
                g[static_cast<std::size_t>(child[4])]) /
               5.0;
    best.assign(DiceSets::kHandCount, 0.0);
    keep.assign(DiceSets::kHandCount, 0);
    for (int h = 0; h < DiceSets::kHandCount; ++h) {
        double b = -1;
        int k = 0;
        for (const auto& [pair, set] : plan.keeps[static_cast<std::size_t>(h)])
            if (g[static_cast<std::size_t>(pair)] > b + kTie) {
                b = g[static_cast<std::size_t>(pair)];
                k = set;
            }
        best[static_cast<std::size_t>(h)] = b;
        keep[static_cast<std::size_t>(h)] = static_cast<std::uint16_t>(k);
    }
}

Dice diceOfHand(int hand) {
    const DiceSets& ds = DiceSets::instance();
    Dice d{};
    int die = 1;
    for (int f = 1; f <= 6; ++f)
        for (int k = 0; k < ds.counts(ds.handSet(hand))[static_cast<std::size_t>(f)]; ++k)
            d[static_cast<std::size_t>(die++)] = f;
    return d;
}

// The category the host sets before the first roll, 0 when the player chooses.
int autoCategory(unsigned open) {
    unsigned faces = open & kFaceBits;
    if (faces == 0) return (open & kBrambleBit) ? kBrambleCategory : 0;
    if (std::popcount(faces) == 1) return std::countr_zero(faces) + 1;
    return 0;
}

// A player names the Bramble only in the last round, when it is the one category left.
bool choosable(unsigned open, int category) {
    if (!(open & bit(category))) return false;
    return category != kBrambleCategory || (open & kFaceBits) == 0;
}

} // namespace

std::shared_ptr<const Solver> Solver::forLimit(int bonusLimit) {
    static std::mutex mutex;
    static std::map<int, std::shared_ptr<const Solver>> offered;
    const int limit = offeredLimit(bonusLimit);
    std::lock_guard lock(mutex);
    auto& slot = offered[limit];
    if (!slot) slot = std::make_shared<const Solver>(limit);
    return slot;
}

int Solver::offeredLimit(int bonusLimit) {
    if (bonusLimit <= 0 || bonusLimit >= 7) return 0;
    return bonusLimit <= 2 ? bonusLimit : 5;
}

int Solver::instances() {
    return liveSolvers.load();
}

Solver::Solver(int bonusLimit) : m_limit(std::max(0, bonusLimit)) {
    ++liveSolvers;
    auto begin = std::chrono::steady_clock::now();
    build();
    m_buildSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

Solver::~Solver() {
    --liveSolvers;
}

double Solver::bonusExpectation(int category, int bonusLimit) {
    // Each bonus roll gains c per die showing c (5c/6 on average) and goes on unless no die
    // shows c, which happens with chance (5/6)^5.
    const double miss = std::pow(5.0 / 6.0, 5);
    const double perRoll = category * 5.0 / 6.0;
    if (bonusLimit <= 0) return perRoll / miss;
    return perRoll * (1.0 - std::pow(1.0 - miss, bonusLimit)) / miss;
}

unsigned Solver::openMask(const ScoreSheet& scores) {
    unsigned open = 0;
    for (int c = 1; c <= kCategoryCount; ++c)
        if (isOpen(scores, c)) open |= bit(c);
    return open;
}

int Solver::handOf(const Dice& dice) {
    DiceSets::Counts counts{};
    for (int d = 1; d <= kDiceCount; ++d) {
        int f = dice[static_cast<std::size_t>(d)];
        if (f < 1 || f > 6) return -1;
        ++counts[static_cast<std::size_t>(f)];
    }
    const DiceSets& ds = DiceSets::instance();
    return ds.handNumber(ds.index(counts));
}

std::vector<int> Solver::diceToRoll(const Dice& dice, int keep) {
    DiceSets::Counts left = DiceSets::instance().counts(keep);
    std::vector<int> roll;
    for (int d = 1; d <= kDiceCount; ++d) {
        auto& n =
            left[static_cast<std::size_t>(std::clamp(dice[static_cast<std::size_t>(d)], 0, 6))];
        if (dice[static_cast<std::size_t>(d)] >= 1 && n > 0)
            --n;
        else
            roll.push_back(d);
    }
    return roll;
}

std::size_t Solver::memoryBytes() const {
    std::size_t bytes = sizeof(*this);
    for (const TurnTables& t : m_turns)
        for (int c = 0; c <= kCategoryCount; ++c) {
            auto i = static_cast<std::size_t>(c);
            bytes += (t.w1[i].capacity() + t.w2[i].capacity()) * sizeof(double) +
                     (t.k1[i].capacity() + t.k2[i].capacity()) * sizeof(std::uint16_t);
        }
    return bytes;
}

void Solver::build() {
    m_start[0] = 0;
    // Filling a category only removes bits, so every smaller set is ready when it is needed.
    for (unsigned open = 1; open <= kAllOpen; ++open)
        buildTurn(open);
}

double Solver::finalValue(unsigned open, int category, int hand) const {
    const Dice d = diceOfHand(hand);
    double points = 0;
    if (category == kBrambleCategory) {
        points = finalBrambleScore(d);
    } else {
        points = faceScore(d, category);
        if (isBonus(category, d)) points += bonusExpectation(category, m_limit);
    }
    return points + m_start[open & ~bit(category)];
}

void Solver::buildTurn(unsigned open) {
    TurnTables& t = m_turns[open];
    std::vector<double> last(DiceSets::kHandCount);
    for (int c = 1; c <= kCategoryCount; ++c) {
        if (!(open & bit(c))) continue;
        auto i = static_cast<std::size_t>(c);
        for (int h = 0; h < DiceSets::kHandCount; ++h)
            last[static_cast<std::size_t>(h)] = finalValue(open, c, h);
        bestKeeps(last, t.w2[i], t.k2[i]);
        bestKeeps(t.w2[i], t.w1[i], t.k1[i]);
    }
    if (std::popcount(open & kFaceBits) >= 2) {
        // No working category yet: after the second roll one must be chosen among the open
        // faces; after the first roll dice may be kept without choosing.
        t.w2[0].assign(DiceSets::kHandCount, -1.0);
        for (int c = 1; c <= 6; ++c)
            if (open & bit(c))
                for (int h = 0; h < DiceSets::kHandCount; ++h)
                    t.w2[0][static_cast<std::size_t>(h)] =
                        std::max(t.w2[0][static_cast<std::size_t>(h)],
                                 t.w2[static_cast<std::size_t>(c)][static_cast<std::size_t>(h)]);
        bestKeeps(t.w2[0], t.w1[0], t.k1[0]);
    }
    m_start[open] = firstRollValue(open, autoCategory(open));
}

double Solver::firstRollValue(unsigned open, int workingcat) const {
    const DiceSets& ds = DiceSets::instance();
    const TurnTables& t = m_turns[open];
    const auto& after = t.w1[static_cast<std::size_t>(workingcat)];
    double v = 0;
    for (int h = 0; h < DiceSets::kHandCount; ++h) {
        const Dice d = diceOfHand(h);
        double here = (open & kBrambleBit) && isStraight(d)
                          ? firstRollBrambleScore(d) + m_start[open & ~kBrambleBit]
                          : after[static_cast<std::size_t>(h)];
        v += ds.handChance(h) * here;
    }
    return v;
}

double Solver::startValue(unsigned open) const {
    return m_start[open & kAllOpen];
}

const std::vector<double>& Solver::afterSecond(unsigned open, int workingcat) const {
    return m_turns[open].w2[static_cast<std::size_t>(workingcat)];
}

double Solver::value(const TurnPosition& p) const {
    if (p.workingcat < 0 || p.workingcat > kCategoryCount) return 0;
    const unsigned open = openMask(p.scores);
    if (p.rolls <= 0) return p.workingcat ? chooseValue(p, p.workingcat) : startValue(open);
    const int hand = handOf(p.dice);
    if (hand < 0) return 0;
    const TurnTables& t = m_turns[open];
    const auto h = static_cast<std::size_t>(hand);
    if (p.workingcat != 0) {
        if (!(open & bit(p.workingcat))) return 0;
        const auto c = static_cast<std::size_t>(p.workingcat);
        return p.rolls == 1 ? t.w1[c][h] : t.w2[c][h];
    }
    if (p.rolls == 1 && !t.w1[0].empty()) return t.w1[0][h];
    double v = 0;
    for (int c = 1; c <= kCategoryCount; ++c)
        if (choosable(open, c)) v = std::max(v, chooseValue(p, c));
    return v;
}

SolverDecision Solver::best(const TurnPosition& p) const {
    SolverDecision d;
    const unsigned open = openMask(p.scores);
    const int hand = handOf(p.dice);
    if (hand < 0 || open == 0 || p.rolls < 1 || p.rolls > 2) return d;
    const TurnTables& t = m_turns[open];
    const auto h = static_cast<std::size_t>(hand);
    int c = p.workingcat;
    if (c == 0 && (p.rolls == 2 || t.w1[0].empty())) {
        // A category has to be named before the third roll: the one with the best outlook.
        double bestValue = -1;
        for (int k = 1; k <= kCategoryCount; ++k) {
            if (!choosable(open, k)) continue;
            double v = chooseValue(p, k);
            if (v > bestValue + kTie) {
                bestValue = v;
                c = k;
            }
        }
        d.category = c;
    }
    if (c != 0 && !(open & bit(c))) return d;
    const auto ci = static_cast<std::size_t>(c);
    d.keep = p.rolls == 1 ? t.k1[ci][h] : t.k2[ci][h];
    d.value = p.rolls == 1 ? t.w1[ci][h] : t.w2[ci][h];
    d.reroll = diceToRoll(p.dice, d.keep);
    return d;
}

double Solver::keepValue(const TurnPosition& p, int keep) const {
    const DiceSets& ds = DiceSets::instance();
    const unsigned open = openMask(p.scores);
    const int hand = handOf(p.dice);
    if (hand < 0 || p.rolls < 1 || p.rolls > 2) return 0;
    const int c = p.workingcat;
    if (c != 0 && !(open & bit(c))) return 0;
    if (c == 0 && p.rolls == 2) return 0; // the host would refuse the roll
    const int rest = ds.without(ds.handSet(hand), keep);
    if (rest < 0) return 0;
    double v = 0;
    for (const auto& o : ds.rerollOutcomes(rest)) {
        const int next = ds.handNumber(ds.join(keep, o.set));
        double after = 0;
        if (p.rolls == 2) {
            after = finalValue(open, c, next);
        } else if (c == 0 && afterSecond(open, 0).empty()) {
            TurnPosition q = p;
            q.rolls = 2;
            q.dice = diceOfHand(next);
            after = value(q);
        } else {
            after = afterSecond(open, c)[static_cast<std::size_t>(next)];
        }
        v += o.chance * after;
    }
    return v;
}

double Solver::chooseValue(const TurnPosition& p, int category) const {
    const unsigned open = openMask(p.scores);
    if (category < 1 || category > kCategoryCount || !(open & bit(category))) return 0;
    if (p.rolls <= 0) return firstRollValue(open, category);
    const int hand = handOf(p.dice);
    if (hand < 0) return 0;
    const TurnTables& t = m_turns[open];
    const auto c = static_cast<std::size_t>(category);
    const auto h = static_cast<std::size_t>(hand);
    return p.rolls == 1 ? t.w1[c][h] : t.w2[c][h];
}

} // namespace core
