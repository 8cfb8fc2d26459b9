// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A referee for a whole game, from the broadcasts alone: every message must be one the rules
// allow at that moment, with the right seat, round, open categories, dice, scores, totals,
// bonus rolls and winner. It knows only the seats that take turns (given at construction).

#include <array>
#include <string>
#include <vector>

namespace testsupport {

class Referee {
public:
    explicit Referee(std::vector<int> seats) : m_seats(std::move(seats)) {}

    // Empty when `message` is allowed here; otherwise what is wrong with it.
    std::string check(const std::string& message);
    bool gameOver() const { return m_over; }
    // Rolls after the first that the host made before any working category was set.
    int rollsWithoutCategory() const { return m_rollsWithoutCategory; }

private:
    std::string bad(const std::string& why, const std::string& message) const;
    bool open(int seat, int category) const;
    int scoreOf(int category) const; // the working category's score of the final dice
    int count(int face) const;
    bool straight() const;
    int sum() const;

    std::vector<int> m_seats;
    std::array<std::array<int, 8>, 7> m_sheet{}; // [seat][category], -1 open
    std::array<int, 7> m_total{};
    std::array<int, 6> m_dice{};
    int m_limit = 0, m_seat = 0, m_round = 0, m_rolls = 0, m_workingcat = 0, m_bonusRolls = 0;
    bool m_started = false, m_turnActive = false, m_scorePending = false, m_bonus = false;
    bool m_over = false;
    int m_rollsWithoutCategory = 0;
};

} // namespace testsupport
