// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/turndisplay.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "client/tablestate.h"

namespace core {

namespace {

constexpr const char* kYouStarted = "0+You have started a game.";
constexpr const char* kHasStarted = " has started a game.";
constexpr const char* kPostingScores = "Posting Scores.. Please Wait.";

// Status on choosing a working category, by category 1..7.
constexpr const char* kCategoryStatus[kCategoryCount] = {
    "Keep your ONES", "Select all TWOS", "Looking for THREES", "Roll those FOURS",
    "Get some FIVES", "Grab all Sixes",  "Make a STRAIGHT"};

} // namespace

void TurnDisplay::startthegame(const fromHost::Startgame& in) {
    const auto& [name, limit] = in;

    m_state.board.startVisible = false;
    m_state.setJustWatch(false);
    m_state.board.winnerPanelVisible = false;
    m_state.board.panelErrorVisible = false;
    m_state.board.panelError1Visible = false;
    m_state.board.clearall();
    m_state.board.limitLabel = BoardModel::limitText(limit);

    if (m_state.myslot > kSeatCount)
        m_state.chatLine("0+" + name + kHasStarted);
    else if (m_state.iAmSeated() && m_state.board.seat(m_state.myslot).label == name)
        m_state.chatLine(kYouStarted);
    else
        m_state.chatLine("0+" + name + kHasStarted);

    if (m_state.board.seat(2).label == kWaiting) m_state.board.seat(2).label = kSeat2Fallback;
    for (int s = 3; s <= kSeatCount; ++s)
        if (m_state.board.seat(s).label == kWaiting) m_state.board.seat(s).notPlaying = true;
}

void TurnDisplay::getnextplayer(const fromHost::Nextplayer& in) {
    m_state.startAnimation();
    if (!in.seat) return;
    const int seat = *in.seat;
    m_state.turnseat = seat;
    if (!in.round) return;
    m_state.board.roundText = "Round: " + in.round->text;
    m_state.board.setRollsUsed(0);
    showTurnColumn(seat, true);
    for (int cat : in.open)
        if (isCategory(cat)) offerCategory(cat); // 0: nothing open
    if (!in.complete) return;
    for (int d = 1; d <= kDiceCount; ++d) {
        DieState& die = m_state.board.die(d);
        die.bonusMark = false;
        die.body = DieBody::Blank;
        die.pips = 0;
        die.top = kDieRestTop;
        die.face = 0;
        die.held = false;
    }
    announceTurn(seat);
}

// Moves the score marker and the highlight to the seat's column and closes every category.
void TurnDisplay::showTurnColumn(int seat, bool hideMarks) {
    m_state.board.scoreturnLeft = BoardModel::columnLeft(seat);
    m_state.board.currentBarWidth = BoardModel::activeBarWidth(seat);
    m_state.board.highlightColumn(seat);
    m_state.board.resetCategories(hideMarks);
}

void TurnDisplay::offerCategory(int category) {
    CategoryState& c = m_state.board.category(category);
    c.barWidth = m_state.board.currentBarWidth;
    c.buttonVisible = true;
    c.selectable = true;
}

// The last step of setting up a turn: no category chosen yet, and the status says whose it is.
void TurnDisplay::announceTurn(int seat) {
    m_state.board.scoreturnVisible = true;
    m_state.board.workingCategory = 0;
    if (m_state.playsSeat(seat)) {
        m_state.board.status = kYourTurn;
        m_state.presentation.playsounds("turn");
        m_state.board.rollVisible = true;
    } else {
        m_state.board.status = m_state.seatName(seat) + kSomeonesTurn;
    }
}

void TurnDisplay::createdice(const fromHost::Createdice& in) {
    m_state.stopAnimation();
    if (!in.rolls) return;
    const int rolls = *in.rolls;
    m_state.board.setRollsUsed(rolls);
    if (!in.seat) return;
    const int seat = *in.seat;
    m_state.turnseat = seat;
    // Dice the roll does not name stay raised and keep their holds and pictures.
    for (int d = 1; d <= kDiceCount; ++d)
        m_state.board.die(d).top = kDieRaisedTop;
    drawRolledDice(m_state.board, in.dice, DieBody::Plain);
    if (!in.complete) return;
    if (rolls >= 3)
        m_state.board.status = kPostingScores;
    else if (m_state.playsSeat(seat))
        m_state.board.rollVisible = true;
    m_state.presentation.playsounds("dice");
}

void TurnDisplay::selectedcat(const fromHost::Selectedcat& in) {
    const auto& [seat, cat] = in;
    if (!seat) return;
    m_state.turnseat = *seat;
    // Anything but a category (or none) would follow the board into the coach's tables.
    if (!cat || *cat < 0 || *cat > kCategoryCount) return;
    m_state.board.workingCategory = *cat;
    for (int n = 1; n <= kCategoryCount; ++n) {
        CategoryState& c = m_state.board.category(n);
        c.selectable = false;
        c.buttonVisible = n == *cat;
        c.barVisible = n == *cat;
        if (n == *cat) c.markVisible = true;
    }
    m_state.presentation.playsounds("select");
    if (*seat == m_state.myslot && isCategory(*cat))
        m_state.board.status = kCategoryStatus[*cat - 1];
}

void TurnDisplay::needcat(const fromHost::Needcat& in) {
    const auto& seat = in.seat;
    if (!seat || !m_state.playsSeat(*seat)) return;
    m_state.board.panelError1Visible = true;
    m_state.turnseat = *seat;
    m_state.board.rollVisible = true;
    m_state.presentation.playsounds("error");
}

} // namespace core
