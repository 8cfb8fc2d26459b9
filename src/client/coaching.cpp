// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/coaching.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "client/tablestate.h"
#include "game/counts.h"
#include "net/fields.h"
#include "net/protocol.h"

#include <algorithm>

namespace core {

TurnPosition Coaching::myPosition() const {
    TurnPosition p;
    p.scores.fill(-1);
    const BoardModel& b = m_state.board;
    if (m_state.iAmSeated())
        for (int c = 1; c <= kCategoryCount; ++c)
            if (auto score = parseInt(b.cell(m_state.myslot, c).text))
                p.scores[static_cast<std::size_t>(c)] = *score;
    p.rolls = b.rollsUsed();
    p.workingcat = b.workingCategory;
    for (int d = 1; d <= kDiceCount; ++d)
        p.dice[static_cast<std::size_t>(d)] = b.die(d).face;
    return p;
}

int Coaching::bonusLimit() const {
    // The label is the one place the client keeps the limit of the game it shows.
    for (int limit : kOfferedBonusLimits)
        if (m_state.board.limitLabel == BoardModel::limitText(std::to_string(limit))) return limit;
    const std::string& text = m_state.board.limitLabel;
    auto digits = text.find_first_of("0123456789");
    if (digits == std::string::npos) return 0;
    return parseInt(text.substr(digits, text.find(' ', digits) - digits)).value_or(0);
}

bool Coaching::judging(int seat) const {
    return m_state.iAmSeated() && seat == m_state.myslot && !m_state.justWatchChecked;
}

void Coaching::startgame(const fromHost::Startgame&) {
    m_coach.newGame();
}

void Coaching::createdice(const fromHost::Createdice& roll) {
    if (!roll.seat || !judging(*roll.seat)) return;
    // The first roll rolls everything: nothing decided.
    if (!roll.rolls || *roll.rolls < 2) return;
    std::vector<int> rolled;
    for (const auto& d : roll.dice)
        if (d.die >= 1 && d.die <= kDiceCount) rolled.push_back(d.die);
    TurnPosition before = myPosition();
    before.rolls = *roll.rolls - 1;
    m_coach.rolled(before, rolled, bonusLimit());
}

void Coaching::selectedcat(const fromHost::Selectedcat& choice) {
    const auto& [seat, category] = choice;
    if (!seat || !judging(*seat) || !category) return;
    TurnPosition before = myPosition();
    // Before the first roll the host names the category itself when at most one face is
    // open; that is no choice of the player's.
    if (before.rolls == 0 && autoWorkingCategory(before.scores).category == *category) return;
    m_coach.chose(before, *category, bonusLimit());
}

void Coaching::winner(const fromHost::Winner&) {
    if (m_state.iAmSeated() && m_coach.judgedAny())
        m_state.chatLine("0+" + Coach::reviewLine(m_coach.cost()));
    m_coach.newGame();
}

bool Coaching::hintAvailable() const {
    return m_state.myTurn() && m_state.board.rollsUsed() <= 2;
}

std::string Coaching::hintClick(ComputerStyle style) {
    if (!hintAvailable()) return {};
    auto hint = Coach::hint(myPosition(), bonusLimit(), style);
    if (!hint) return {};
    if (!m_state.animating && m_state.board.rollsUsed() >= 1) {
        bool ownHolds = false, changed = false;
        for (int d = 1; d <= kDiceCount; ++d) {
            DieState& die = m_state.board.die(d);
            const bool keep =
                std::find(hint->hold.begin(), hint->hold.end(), d) != hint->hold.end();
            ownHolds = ownHolds || die.held;
            changed = changed || die.held != keep;
            die.held = keep;
            die.top = die.held ? kDieRaisedTop : kDieRestTop;
            m_state.board.drawDie(d, DieBody::Plain);
        }
        // Holds the player set himself are never dropped without a word.
        if (ownHolds && changed) hint->text += " Your holds were changed to match.";
    }
    m_state.presentation.boardChanged();
    return hint->text;
}

} // namespace core
