// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/coach.h"

#include "client/controltexts.h"
#include "game/computerplayer.h"
#include "game/diceset.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>

namespace core {

namespace {

constexpr std::array<const char*, 6> kNumberWords{"", "", "two", "three", "four", "five"};

std::string points(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

// "Keep the 2, the 3 and the two 5s", "Keep all five dice", "Roll all five dice again".
std::string keepPhrase(int keep) {
    const DiceSets& ds = DiceSets::instance();
    if (ds.size(keep) == 5) return "Keep all five dice";
    if (ds.size(keep) == 0) return "Roll all five dice again";
    std::vector<std::string> groups;
    for (int f = 1; f <= 6; ++f) {
        const int n = ds.counts(keep)[static_cast<std::size_t>(f)];
        if (n == 1) groups.push_back("the " + std::to_string(f));
        if (n > 1)
            groups.push_back(std::string("the ") + kNumberWords[static_cast<std::size_t>(n)] + ' ' +
                             std::to_string(f) + 's');
    }
    std::string text = "Keep " + groups.front();
    for (std::size_t i = 1; i < groups.size(); ++i)
        text += (i + 1 == groups.size() ? " and " : ", ") + groups[i];
    return text;
}

std::string lowerFirst(std::string s) {
    if (!s.empty() && s[0] >= 'A' && s[0] <= 'Z') s[0] = static_cast<char>(s[0] - 'A' + 'a');
    return s;
}

int keepOf(const Dice& dice, std::span<const int> rolled) {
    DiceSets::Counts kept{};
    for (int d = 1; d <= kDiceCount; ++d)
        if (std::find(rolled.begin(), rolled.end(), d) == rolled.end())
            ++kept[static_cast<std::size_t>(dice[static_cast<std::size_t>(d)])];
    return DiceSets::instance().index(kept);
}

// The categories a player may name: the open faces, the Bramble only when no face is left.
std::vector<int> choosable(const ScoreSheet& scores) {
    std::vector<int> out;
    for (int c = 1; c <= 6; ++c)
        if (isOpen(scores, c)) out.push_back(c);
    if (out.empty() && isOpen(scores, kBrambleCategory)) out.push_back(kBrambleCategory);
    return out;
}

std::vector<int> holdsFor(const Dice& dice, int keep) {
    std::vector<int> roll = Solver::diceToRoll(dice, keep);
    std::vector<int> hold;
    for (int d = 1; d <= kDiceCount; ++d)
        if (std::find(roll.begin(), roll.end(), d) == roll.end()) hold.push_back(d);
    return hold;
}

double playableStart(const Solver& solver, const ScoreSheet& scores) {
    const DiceSets& ds = DiceSets::instance();
    const unsigned open = Solver::openMask(scores);
    const AutoCategory autoCat = autoWorkingCategory(scores);
    double v = 0;
    for (int h = 0; h < DiceSets::kHandCount; ++h) {
        TurnPosition p{scores, 1, {}, autoCat.category};
        int die = 1;
        for (int f = 1; f <= 6; ++f)
            for (int k = 0; k < ds.counts(ds.handSet(h))[static_cast<std::size_t>(f)]; ++k)
                p.dice[static_cast<std::size_t>(die++)] = f;
        const bool bramble = isOpen(scores, kBrambleCategory) && isStraight(p.dice);
        v += ds.handChance(h) * (bramble
                                     ? firstRollBrambleScore(p.dice) +
                                           solver.startValue(open & ~(1u << (kBrambleCategory - 1)))
                                     : Coach::bestPlayable(solver, p));
    }
    return v;
}

} // namespace

double Coach::bestPlayable(const Solver& solver, const TurnPosition& p) {
    if (p.workingcat != 0) return solver.value(p);
    if (p.rolls <= 0) return playableStart(solver, p.scores);
    double best = 0;
    for (int c : choosable(p.scores))
        best = std::max(best, solver.chooseValue(p, c));
    if (p.rolls == 1) best = std::max(best, solver.keepValue(p, 0));
    return best;
}

std::optional<Coach::Hint> Coach::hint(const TurnPosition& p, int bonusLimit, ComputerStyle style) {
    if (p.rolls < 0 || p.rolls > 2 || Solver::openMask(p.scores) == 0) return std::nullopt;
    const auto held = Solver::forLimit(bonusLimit);
    const Solver& solver = *held;
    const std::string expected = " more points expected this game";
    if (p.rolls == 0) {
        const double v = p.workingcat ? solver.value(p) : bestPlayable(solver, p);
        return Hint{"Roll all five dice — " + points(v) + expected + '.', {}};
    }
    if (Solver::handOf(p.dice) < 0) return std::nullopt;

    std::string action;
    int keep = 0;
    double value = 0, classic = 0;
    if (p.workingcat != 0) {
        SolverDecision best = solver.best(p);
        keep = best.keep;
        value = best.value;
        action = keepPhrase(keep);
        classic = solver.keepValue(p, keepOf(p.dice, diceToReroll(p.workingcat, p.dice)));
    } else {
        int category = 0;
        for (int c : choosable(p.scores))
            if (category == 0 || solver.chooseValue(p, c) > value + 1e-9) {
                category = c;
                value = solver.chooseValue(p, c);
            }
        const double again = p.rolls == 1 ? solver.keepValue(p, 0) : -1;
        if (again > value + 1e-9) {
            value = again;
            action = "Roll all five dice again and choose a category later";
        } else {
            TurnPosition chosen = p;
            chosen.workingcat = category;
            keep = solver.best(chosen).keep;
            action = "Choose " + rowName(category) + " and " + lowerFirst(keepPhrase(keep));
        }
        classic = solver.chooseValue(p, chooseWorkingCategory(p.scores, p.dice));
    }
    // The expert plays the solver's best, which may keep dice before naming a category.
    const bool expert = style == ComputerStyle::Expert;
    return Hint{action + " — " + points(value) + expected + " (moving as the " +
                    (expert ? "Expert" : "Classic") +
                    " computer player would: " + points(expert ? solver.value(p) : classic) + ").",
                holdsFor(p.dice, keep)};
}

std::string Coach::reviewLine(double cost) {
    return "Your choices cost " + points(std::max(0.0, cost)) + " expected points this game.";
}

void Coach::newGame() {
    m_cost = 0;
    m_decisions = 0;
}

void Coach::rolled(const TurnPosition& before, const std::vector<int>& rolled, int bonusLimit) {
    if (before.rolls < 1 || before.rolls > 2 || Solver::handOf(before.dice) < 0) return;
    const auto held = Solver::forLimit(bonusLimit);
    const Solver& solver = *held;
    m_cost += bestPlayable(solver, before) - solver.keepValue(before, keepOf(before.dice, rolled));
    ++m_decisions;
}

void Coach::chose(const TurnPosition& before, int category, int bonusLimit) {
    if (before.workingcat != 0 || before.rolls < 0 || before.rolls > 2 ||
        !isOpen(before.scores, category))
        return;
    if (before.rolls > 0 && Solver::handOf(before.dice) < 0) return;
    const auto held = Solver::forLimit(bonusLimit);
    const Solver& solver = *held;
    m_cost += bestPlayable(solver, before) - solver.chooseValue(before, category);
    ++m_decisions;
}

} // namespace core
