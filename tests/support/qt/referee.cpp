// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/referee.h"

#include "support/qt/clientboard.h"

#include <algorithm>

namespace testsupport {

namespace {

int num(const std::string& text) {
    try {
        return std::stoi(text);
    } catch (...) {
        return -99;
    }
}

} // namespace

std::string Referee::bad(const std::string& why, const std::string& message) const {
    return why + " in \"" + message + "\"";
}

bool Referee::open(int seat, int category) const {
    return m_sheet[static_cast<std::size_t>(seat)][static_cast<std::size_t>(category)] == -1;
}

int Referee::count(int face) const {
    return static_cast<int>(std::count(m_dice.begin() + 1, m_dice.end(), face));
}

int Referee::sum() const {
    int s = 0;
    for (int d = 1; d <= 5; ++d)
        s += m_dice[static_cast<std::size_t>(d)];
    return s;
}

bool Referee::straight() const {
    auto all = [&](int from) {
        for (int f = from; f < from + 5; ++f)
            if (count(f) == 0) return false;
        return true;
    };
    return all(1) || all(2);
}

int Referee::scoreOf(int category) const {
    if (category == 7) return straight() ? sum() : 0;
    return category * count(category);
}

std::string Referee::check(const std::string& message) {
    const auto f = fieldsOf(message);
    const std::string& cmd = f[0];
    auto field = [&](std::size_t i) { return i < f.size() ? num(f[i]) : -99; };
    const int seat = field(1);
    auto total = [&](int points) -> int& {
        m_total[static_cast<std::size_t>(m_seat)] += points;
        return m_total[static_cast<std::size_t>(m_seat)];
    };
    auto sheet = [&](int c) -> int& {
        return m_sheet[static_cast<std::size_t>(m_seat)][static_cast<std::size_t>(c)];
    };
    // Reads die/face pairs from field `from`; false when a pair is out of range.
    auto readDice = [&](std::size_t from, bool mustChange) {
        for (std::size_t i = from; i + 1 < f.size(); i += 2) {
            const int die = num(f[i]), face = num(f[i + 1]);
            if (die == 0 && face == 0 && f.size() == from + 2) return true; // no die rolled
            if (die < 1 || die > 5 || face < 1 || face > 6) return false;
            if (mustChange && m_dice[static_cast<std::size_t>(die)] == face) return false;
            m_dice[static_cast<std::size_t>(die)] = face;
        }
        return true;
    };

    if (cmd == "CMD_startgame") {
        *this = Referee(m_seats);
        m_started = true;
        m_limit = field(2);
        for (auto& s : m_sheet)
            s.fill(-1);
        return m_limit >= 0 ? "" : bad("bad limit", message);
    }
    const bool gameMessage = cmd == "CMD_nextplayer" || cmd == "CMD_selectedcat" ||
                             cmd == "CMD_createdice" || cmd == "CMD_bramble" ||
                             cmd == "CMD_postscores" || cmd == "CMD_bonustime" ||
                             cmd == "CMD_gotbonus" || cmd == "CMD_bonusend" || cmd == "CMD_winner";
    if (!gameMessage) return "";
    if (!m_started || m_over) return bad("game message outside a game", message);

    if (cmd == "CMD_winner") {
        if (m_turnActive || m_scorePending || m_bonus || m_round != 7 || m_seat != m_seats.back())
            return bad("winner before the game is over", message);
        int best = 1;
        for (int s = 2; s <= 6; ++s)
            if (m_total[static_cast<std::size_t>(s)] > m_total[static_cast<std::size_t>(best)])
                best = s;
        if (seat != best) return bad("wrong winner", message);
        m_over = true;
        return "";
    }
    if (cmd == "CMD_nextplayer") {
        if (m_turnActive || m_scorePending || m_bonus) return bad("turn not finished", message);
        auto at = std::find(m_seats.begin(), m_seats.end(), m_seat);
        const int next =
            at == m_seats.end() || at + 1 == m_seats.end() ? m_seats.front() : *(at + 1);
        if (seat != next) return bad("wrong seat", message);
        m_seat = seat;
        if (seat == m_seats.front()) ++m_round;
        if (field(2) != m_round || m_round > 7) return bad("wrong round", message);
        std::vector<int> expected, listed;
        for (int c = 1; c <= 6; ++c)
            if (open(seat, c)) expected.push_back(c);
        if (m_round == 7 && open(seat, 7)) expected.push_back(7);
        if (expected.empty()) expected.push_back(0);
        for (std::size_t i = 3; i < f.size(); ++i)
            listed.push_back(num(f[i]));
        if (listed != expected) return bad("wrong open categories", message);
        m_rolls = m_workingcat = 0;
        m_dice.fill(0);
        m_turnActive = true;
        return "";
    }
    if (seat != m_seat) return bad("not the seat on turn", message);

    if (cmd == "CMD_selectedcat") {
        const int c = field(2);
        if (!m_turnActive || m_workingcat != 0 || c < 1 || c > 7 || !open(seat, c))
            return bad("category not available", message);
        int facesOpen = 0;
        for (int k = 1; k <= 6; ++k)
            facesOpen += open(seat, k) ? 1 : 0;
        if (c == 7 && facesOpen > 0) return bad("Bramble named before the last round", message);
        if (m_rolls == 0 && facesOpen > 1) return bad("category before the first roll", message);
        m_workingcat = c;
        return "";
    }
    if (cmd == "CMD_createdice") {
        const int rolls = field(2);
        if (!m_turnActive || rolls != m_rolls + 1 || rolls > 3)
            return bad("wrong roll count", message);
        if (rolls == 3 && m_workingcat == 0) return bad("third roll without a category", message);
        if (rolls == 1) {
            int facesOpen = 0;
            for (int k = 1; k <= 6; ++k)
                facesOpen += open(seat, k) ? 1 : 0;
            if (facesOpen <= 1 && m_workingcat == 0) return bad("no automatic category", message);
            if (f.size() != 13) return bad("first roll must roll all five", message);
            for (int d = 1; d <= 5; ++d)
                if (field(1 + 2 * static_cast<std::size_t>(d)) != d)
                    return bad("dice out of order", message);
        } else if (m_workingcat == 0) {
            ++m_rollsWithoutCategory;
        }
        if (!readDice(3, rolls > 1)) return bad("a die kept its face or is out of range", message);
        if (rolls == 1 && open(seat, 7) && straight())
            return bad("a first-roll straight not scored", message);
        m_rolls = rolls;
        if (rolls == 3) {
            m_turnActive = false;
            m_scorePending = true;
        }
        return "";
    }
    if (cmd == "CMD_bramble") {
        if (!m_turnActive || m_rolls != 0 || !open(seat, 7) || field(4) != 3)
            return bad("Bramble out of turn", message);
        if (!readDice(5, false) || !straight()) return bad("Bramble without a straight", message);
        const int score = sum() + 20;
        if (field(3) != score || field(2) != total(score))
            return bad("wrong Bramble score", message);
        sheet(7) = score;
        m_turnActive = false;
        return "";
    }
    if (cmd == "CMD_postscores" || cmd == "CMD_bonustime") {
        const int c = field(4);
        if (!m_scorePending || c != m_workingcat) return bad("score out of turn", message);
        const int score = scoreOf(c);
        const bool five = c <= 6 && count(c) == 5;
        if ((cmd == "CMD_bonustime") != five)
            return bad("bonus mode wrongly started or missed", message);
        if (field(3) != score || field(2) != total(score)) return bad("wrong score", message);
        sheet(c) = score;
        m_scorePending = false;
        m_bonus = five;
        m_bonusRolls = 0;
        return "";
    }
    if (cmd == "CMD_gotbonus" || cmd == "CMD_bonusend") {
        if (!m_bonus) return bad("bonus roll outside bonus mode", message);
        const bool limitReached = m_limit != 0 && m_bonusRolls == m_limit;
        const int c = m_workingcat;
        if (cmd == "CMD_bonusend") {
            m_bonus = false;
            if (field(2) == 0 && field(3) == 0 && f.size() == 4)
                return limitReached ? "" : bad("bonus ended before its limit", message);
            if (limitReached) return bad("bonus roll past the limit", message);
            if (!readDice(2, false) || count(c) != 0) return bad("bonus ended with a hit", message);
            return "";
        }
        if (limitReached) return bad("bonus roll past the limit", message);
        ++m_bonusRolls;
        if (!readDice(6, false)) return bad("bad bonus dice", message);
        const int gain = c * count(c);
        if (gain == 0 || field(3) != gain || field(4) != c || field(5) != sheet(c) + gain ||
            field(2) != total(gain))
            return bad("wrong bonus gain", message);
        sheet(c) += gain;
        return "";
    }
    return "";
}

} // namespace testsupport
