// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where everything on the board goes: the board's design grid (380 x 470 pixels at scale 1)
// with the place and text size of every control and of what the board paints itself. The
// board lays its controls out from these tables and scales the whole grid uniformly to the
// space it is given; nothing else decides a position.

#include <QRectF>

namespace ui::boardlayout {

inline constexpr int kDesignWidth = 380;
inline constexpr int kDesignHeight = 470;

// A control's place on the grid (in its parent's design coordinates) and its text size in
// pixels at scale 1 (0: the font is left as it is).
struct Slot {
    QRectF box;
    qreal fontPx = 0;
};

// --- the grid ---------------------------------------------------------------------------
inline constexpr qreal kSheetX = 12; // origin of the score sheet's own coordinates
inline constexpr qreal kRow1Y = 272; // top of row 1
inline constexpr qreal kRowH = 21;
inline constexpr qreal kTotalGap = 4; // extra space above the totals row
inline constexpr qreal kColumnW = 42;
inline constexpr qreal kDiceX = 14;
inline constexpr qreal kDiceStep = 56;
inline constexpr qreal kDieSize = 48;
inline constexpr qreal kLabelTop = 178;
inline constexpr qreal kLabelH = 92;
inline constexpr qreal kMarkH = 16; // the eyes and not-playing marks above a name
inline constexpr qreal kNameFontPx = 12;

// Score row 1..8 (the totals row last): only its top and height count.
QRectF rowRect(int row);
// The left edge of a seat's column 1..6.
qreal columnX(int seat);

// --- header -----------------------------------------------------------------------------
inline constexpr Slot kLogo{{12, 4, 170, 36}, 28};
inline constexpr Slot kRound{{200, 7, 168, 16}, 13};
inline constexpr Slot kLimit{{150, 24, 218, 15}, 11};
inline constexpr Slot kStatus{{14, 45, 352, 26}, 15};

// --- score sheet ------------------------------------------------------------------------
// The column highlight, its left edge on the sheet's own coordinates.
QRectF scoreHighlight(qreal sheetLeft);
Slot scoreCell(int seat, int row);
Slot categoryButton(int category);
QRectF categoryBar(int category, qreal width);
QRectF categoryMark(int category);
// Where a category row's faint header picture and name are painted.
QRectF rowHeaderPicture(int category);
QRectF rowHeaderName(int category);

// --- seats ------------------------------------------------------------------------------
// The name label, shortened at the top by markRoom where a mark needs it.
Slot seatName(int seat, qreal markRoom = 0);
QRectF eyesMark(int seat);
QRectF notPlayingMark(int seat);
QRectF winnerMark(int seat);

// --- dice tray --------------------------------------------------------------------------
QRectF die(int die, qreal top);
QRectF bonusMark(int die);
inline constexpr QRectF kRolls{300, 104, 66, 22};
inline constexpr Slot kStartRoll{{296, 134, 74, 32}, 15}; // Start and Roll share a place
// The Hint's note: just below the tray, as wide as the row of dice, over the seat names (which
// a player deciding his move can spare), clear of the status line, the dice and Roll. Its
// height is the least it has; it grows downwards with its text.
inline constexpr Slot kHintNote{{14, 175, 272, 40}, 12};

// --- panels, and what lies on them ------------------------------------------------------
// The winner panel covers the dice tray.
inline constexpr QRectF kWinnerPanel{6, 84, 284, 88};
inline constexpr Slot kWinner1{{9, 9, 264, 68}, 18};
inline constexpr Slot kWinner2{{11, 11, 264, 68}, 18}; // its shadow
inline constexpr QRectF kPanelError{26, 262, 328, 118};
inline constexpr Slot kErrorText{{12, 8, 304, 40}, 13};
inline constexpr Slot kErrorQuestion{{12, 48, 304, 22}, 14};
inline constexpr Slot kYes{{66, 78, 86, 30}, 13};
inline constexpr Slot kNo{{176, 78, 86, 30}, 13};
inline constexpr QRectF kPanelError1{26, 272, 328, 100};
inline constexpr Slot kError1Text{{12, 10, 304, 44}, 14};
inline constexpr Slot kOk{{121, 60, 86, 30}, 13};

// --- what the board paints itself -------------------------------------------------------
inline constexpr QRectF kBanner{8, 44, 364, 28};
inline constexpr QRectF kTray{6, 84, 284, 88};
inline constexpr qreal kFeltTop = 84; // the felt's gradient runs from here
inline constexpr qreal kFeltBottom = 174;
inline constexpr QRectF kRollsCaption{300, 88, 66, 14};
inline constexpr QRectF kCard{4, 172, 372, 296};

} // namespace ui::boardlayout
