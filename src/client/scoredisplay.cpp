// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/scoredisplay.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "client/tablestate.h"

namespace core {

namespace {

constexpr const char* kYouBramble = "You got a BRAMBLE!";
constexpr const char* kGotBramble = " got a BRAMBLE!";
constexpr const char* kYouEnterBonus = "You are entering BONUS MODE!";
constexpr const char* kEntersBonus = " is entering BONUS MODE!";
constexpr const char* kYouExitBonus = "You are exiting BONUS MODE!";
constexpr const char* kExitsBonus = " is exiting BONUS MODE!";
constexpr const char* kRecieved = " recieved ";
constexpr const char* kBonusPoints = " bonus points!";
constexpr const char* kYouWon = "You have Won the Game!";
constexpr const char* kHaveWon = " have Won the Game!";
constexpr const char* kHasWon = " has Won the Game!";
constexpr const char* kGameOver = "Game Over!";

} // namespace

// Writes row 8 (the total) of the seat; false when the seat or the total is not a number.
bool ScoreDisplay::postTotal(const msg::OptInt& seat, const msg::OptShown& total) {
    if (!seat || !total) return false;
    if (isSeat(*seat)) m_state.board.cell(*seat, 8).text = total->text;
    return true;
}

// Writes the score into the category's row; false when either is not a number.
bool ScoreDisplay::postCategory(int seat, const msg::OptInt& cat, const msg::OptShown& score) {
    if (!score || !cat) return false;
    if (isSeat(seat) && isCategory(*cat)) m_state.board.cell(seat, *cat).text = score->text;
    return true;
}

void ScoreDisplay::bramble(const fromHost::Bramble& in) {
    const auto& seat = in.seat;

    m_state.stopAnimation();
    if (!postTotal(seat, in.total)) return;
    if (!postCategory(*seat, 7, in.score)) return;
    if (!in.rolls) return;
    m_state.board.setRollsUsed(*in.rolls);
    drawRolledDice(m_state.board, in.dice, DieBody::Plain);
    if (!in.complete) return;
    if (*seat == m_state.myslot) {
        m_state.board.status = kYouBramble;
        m_state.records.addtomineincrease(5);
    } else {
        m_state.board.status = m_state.seatName(*seat) + kGotBramble;
    }
    m_state.presentation.playsounds("bramble");
}

void ScoreDisplay::postscore(const fromHost::Postscores& in) {
    const auto& [seat, total, score, cat] = in;

    m_state.stopAnimation();
    if (!postTotal(seat, total)) return;
    if (!postCategory(*seat, cat, score)) return;
    m_state.presentation.playsounds(score->value > 0 ? "gotpoints" : "nopoints");
}

void ScoreDisplay::bonustime(const fromHost::Bonustime& in) {
    const auto& [seat, total, score, cat] = in;

    if (!postTotal(seat, total)) return;
    if (!postCategory(*seat, cat, score)) return;
    if (*seat == m_state.myslot) {
        m_state.board.status = kYouEnterBonus;
        m_state.records.addtomineincrease(4);
    } else {
        m_state.board.status = m_state.seatName(*seat) + kEntersBonus;
    }
    m_state.presentation.playsounds("enterbonus");
}

void ScoreDisplay::gotbonus(const fromHost::Gotbonus& in) {
    const auto& seat = in.seat;
    const auto& cat = in.category;

    m_state.stopAnimation();
    if (!postTotal(seat, in.total)) return;
    if (!postCategory(*seat, cat, in.categoryScore)) return;
    if (!in.gain) return;
    const std::string& gain = in.gain->text;
    if (*seat == m_state.myslot)
        m_state.board.status = std::string("You") + kRecieved + gain + kBonusPoints;
    else
        m_state.board.status = m_state.seatName(*seat) + kRecieved + gain + kBonusPoints;
    forEachDie(in.dice, [&](int die, int face) {
        DieState& d = m_state.board.die(die);
        d.face = face;
        d.held = false;
        const bool onBonusFace = face == *cat;
        d.top = onBonusFace ? kDieRaisedTop : kDieRestTop;
        d.bonusMark = onBonusFace;
        m_state.board.drawDie(die, DieBody::Bonus);
    });
    if (!in.complete) return;
    m_state.presentation.playsounds("gotbonus");
}

void ScoreDisplay::bonusend(const fromHost::Bonusend& in) {
    const auto& seat = in.seat;

    m_state.stopAnimation();
    if (!seat) return;
    if (*seat == m_state.myslot)
        m_state.board.status = kYouExitBonus;
    else
        m_state.board.status = m_state.seatName(*seat) + kExitsBonus;
    // 0, 0: the limit ended it; the dice and their marks stay as they were.
    forEachDie(in.dice, [&](int die, int face) {
        DieState& d = m_state.board.die(die);
        d.face = face;
        d.held = false;
        d.top = kDieRestTop;
        d.bonusMark = false;
        m_state.board.drawDie(die, DieBody::Bonus);
    });
    if (!in.complete) return;
    m_state.presentation.playsounds("exitbonus");
}

void ScoreDisplay::winner(const fromHost::Winner& in) {
    const bool complete = in.complete;
    std::vector<int> winners;
    for (int seat : in.seats)
        if (isSeat(seat)) winners.push_back(seat); // the closing 0 is skipped

    std::string text;
    bool iWon = false;
    for (std::size_t i = 0; i < winners.size(); ++i) {
        const int seat = winners[i];
        const bool me = seat == m_state.myslot;
        iWon = iWon || me;
        if (i == 0)
            text = m_state.seatName(seat);
        else
            text += me ? std::string(" and You") : " and " + m_state.seatName(seat);
        m_state.board.seat(seat).winnerMark = true;
    }
    // Nobody listed would record an unnamed winner in the tally.
    if (!complete || winners.empty()) return;
    m_state.presentation.playsounds("winner");

    // Decided by seat, not by comparing names: a namesake who wins alone is not us.
    std::string label;
    if (m_state.iAmSeated() && iWon && winners.size() == 1)
        label = kYouWon;
    else
        label = text + (winners.size() > 1 ? kHaveWon : kHasWon);
    m_state.board.winner1 = label;
    m_state.board.winner2 = label;
    m_state.board.status = kGameOver;
    m_state.chatLine("0+" + label);
    m_state.board.winnerPanelVisible = true;
    if (m_state.leadsTable()) m_state.board.startVisible = true;

    m_state.board.scoreturnVisible = false;
    for (int n = 1; n <= kCategoryCount; ++n) {
        CategoryState& c = m_state.board.category(n);
        c.barVisible = false;
        c.buttonVisible = false;
        c.markVisible = false;
    }
    for (int s = 1; s <= kSeatCount; ++s)
        for (int row = 1; row <= kScoreRows; ++row) {
            m_state.board.cell(s, row).grey = false;
            m_state.board.cell(s, row).bold = false;
        }

    if (!m_state.iAmSeated()) return;
    m_state.records.recordGame(iWon, text, m_state.board.cell(m_state.myslot, 8).text);
}

} // namespace core
