// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The messages that post scores and end turns and games: a bramble, a plain score, entering,
// scoring in and leaving bonus mode, and the winner. They write the score sheet, set the
// status line and feed the tally (our brambles and bonus entries, the game's winner and our
// best total).
//
// Like the turn messages, each handler stops at the first field that is not a number, with
// everything drawn before it kept.

#include "client/hostevents.h"

namespace core {

struct TableState;

class ScoreDisplay {
public:
    explicit ScoreDisplay(TableState& state) : m_state(state) {}

    void bramble(const fromHost::Bramble& in);
    void postscore(const fromHost::Postscores& in);
    void bonustime(const fromHost::Bonustime& in);
    void gotbonus(const fromHost::Gotbonus& in);
    void bonusend(const fromHost::Bonusend& in);
    void winner(const fromHost::Winner& in);

private:
    bool postTotal(const msg::OptInt& seat, const msg::OptShown& total);
    bool postCategory(int seat, const msg::OptInt& cat, const msg::OptShown& score);

    TableState& m_state;
};

} // namespace core
