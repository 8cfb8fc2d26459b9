// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/gamedriver.h"

#include "client/boardmodel.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "support/qt/tablewindows.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>

namespace testsupport {

bool myTurnToRoll(const ui::Tchat& window) {
    return window.client().turnseat() == window.client().myslot() &&
           boardShows(window, "button_roll");
}

Move nextMove(const ui::Tchat& window) {
    const core::BoardModel& b = window.client().board();
    if (boardShows(window, "panel_error")) return {Move::Kind::AnswerNo};
    if (boardShows(window, "panel_error1")) return {Move::Kind::AnswerOk};
    if (!myTurnToRoll(window)) return {};
    const int working = b.workingCategory;
    if (b.rollsUsed() >= 1 && working == 0) {
        int best = 0;
        int bestCount = -1;
        for (int n = 1; n <= core::kCategoryCount; ++n) {
            if (!b.category(n).selectable) continue;
            int count = 0;
            for (int d = 1; d <= core::kDiceCount; ++d)
                count += n < 7 && b.die(d).face == n ? 1 : 0;
            if (count >= bestCount) best = n, bestCount = count;
        }
        if (best) return {Move::Kind::Category, best};
    }
    Move roll{Move::Kind::Roll};
    if (b.rollsUsed() >= 1 && working != 0) {
        bool seen[7] = {};
        for (int d = 1; d <= core::kDiceCount; ++d) {
            const int face = b.die(d).face;
            if (working == 7 ? !seen[face] : face == working) roll.keep.push_back(d);
            seen[face] = true;
        }
    } else {
        for (int d = 1; d <= core::kDiceCount; ++d)
            if (b.die(d).held) roll.keep.push_back(d);
    }
    return roll;
}

bool clickMove(ui::Tchat& window, const Move& move) {
    switch (move.kind) {
    case Move::Kind::Wait:
        return false;
    case Move::Kind::AnswerNo:
        return clickBoard(window, "button_no");
    case Move::Kind::AnswerOk:
        return clickBoard(window, "button_ok");
    case Move::Kind::Category:
        return clickBoard(window, QString("image_button%1").arg(move.category));
    case Move::Kind::Roll:
        for (int d = 1; d <= core::kDiceCount; ++d) {
            const bool keep = std::find(move.keep.begin(), move.keep.end(), d) != move.keep.end();
            if (window.client().board().die(d).held != keep)
                clickBoard(window, QString("image_d%1").arg(d));
        }
        return clickBoard(window, "button_roll");
    }
    return false;
}

bool playUntil(const std::function<bool()>& done, const std::function<bool()>& step,
               int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        if (step())
            QCoreApplication::processEvents();
        else
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return done();
}

} // namespace testsupport
