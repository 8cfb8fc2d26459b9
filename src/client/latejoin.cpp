// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/latejoin.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "client/tablestate.h"
#include "client/turndisplay.h"

namespace core {

namespace {

constexpr const char* kMustWait =
    "0+The game has started. You will have to wait until the next game to play.";

} // namespace

void LateJoin::loadstats(const fromHost::Loadstats& in) {
    if (!in.slot || *in.slot != m_state.myslot) return;
    if (!in.seat) return;
    m_state.turnseat = *in.seat;
    if (!in.limit) return;
    m_state.board.limitLabel = BoardModel::limitText(in.limit->text);
    if (!in.rolls) return;
    m_state.board.setRollsUsed(*in.rolls);
    if (!in.round) return;
    m_state.board.roundText = "Round: " + in.round->text;
    m_turns.showTurnColumn(*in.seat, false);
    forEachDie(in.dice, [&](int die, int face) {
        DieState& d = m_state.board.die(die);
        d.top = kDieRestTop;
        d.face = face == 0 ? 1 : face; // not rolled yet this turn: shown as ones
        d.held = false;
        m_state.board.drawDie(die, DieBody::Plain);
    });
    if (!in.complete) return;
    // The message does not say which categories are still open, so all are offered; the
    // host refuses the ones already scored.
    for (int n = 1; n <= kCategoryCount; ++n)
        m_turns.offerCategory(n);
    if (!in.workingcat) return;
    if (isCategory(*in.workingcat)) {
        CategoryState& c = m_state.board.category(*in.workingcat);
        c.selectable = false;
        c.buttonVisible = true;
        c.barVisible = true;
    }
    m_turns.announceTurn(*in.seat);
}

void LateJoin::loadscores(const fromHost::Loadscores& in) {
    if (!in.slot || *in.slot != m_state.myslot) return;
    for (const auto& entry : in.seats) {
        const int seat = entry.seat;
        for (const auto& [row, value] : entry.cells) {
            if (!isSeat(seat) || row < 1 || row > kScoreRows) continue;
            m_state.board.cell(seat, row).text = value.value > 0 ? value.text : std::string();
        }
        if (!entry.complete) return;
        if (entry.flag == "f" && seat >= 3 && seat <= kSeatCount) {
            m_state.board.seat(seat).notPlaying = true;
            if (seat == m_state.myslot) m_state.chatLine(kMustWait);
        }
    }
}

} // namespace core
