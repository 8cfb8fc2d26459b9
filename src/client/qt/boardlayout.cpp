// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/boardlayout.h"

#include "client/boardmodel.h"
#include "game/counts.h"

namespace ui::boardlayout {

QRectF rowRect(int row) {
    const qreal y = kRow1Y + (row - 1) * kRowH + (row == core::kScoreRows ? kTotalGap : 0);
    return QRectF(0, y, 0, kRowH);
}

qreal columnX(int seat) {
    return kSheetX + core::BoardModel::columnLeft(seat);
}

QRectF scoreHighlight(qreal sheetLeft) {
    return {kSheetX + sheetLeft, kRow1Y - 3, kColumnW, 8 * kRowH + kTotalGap + 6};
}

Slot scoreCell(int seat, int row) {
    return {{columnX(seat) + 1, rowRect(row).top() + 1, kColumnW - 2, kRowH - 2},
            row == core::kScoreRows ? 14.0 : 13.0};
}

Slot categoryButton(int category) {
    return {{kSheetX + 4, rowRect(category).top() + 1, 38, kRowH - 2}, 12};
}

QRectF categoryBar(int category, qreal width) {
    return {kSheetX + 44, rowRect(category).top() + 1, width, kRowH - 2};
}

QRectF categoryMark(int category) {
    return {0, rowRect(category).top() + 3, 15, 15};
}

QRectF rowHeaderPicture(int category) {
    return categoryButton(category).box;
}

QRectF rowHeaderName(int category) {
    const QRectF row = rowRect(category);
    return QRectF(kSheetX + 46, row.top(), columnX(1) - kSheetX - 48, kRowH);
}

Slot seatName(int seat, qreal markRoom) {
    return {{columnX(seat), kLabelTop + markRoom, kColumnW, kLabelH - markRoom}, kNameFontPx};
}

QRectF eyesMark(int seat) {
    return {columnX(seat) + 5, 177, 32, 18};
}

QRectF notPlayingMark(int seat) {
    return {columnX(seat) + 7.5, 170, 27, 27};
}

QRectF winnerMark(int seat) {
    return {columnX(seat) + 5, rowRect(core::kScoreRows).bottom() + 1, 32, 21};
}

QRectF die(int die, qreal top) {
    return {kDiceX + (die - 1) * kDiceStep, top, kDieSize, kDieSize};
}

QRectF bonusMark(int die) {
    return {kDiceX + (die - 1) * kDiceStep + 1.5, 93, 45, 14};
}

} // namespace ui::boardlayout
