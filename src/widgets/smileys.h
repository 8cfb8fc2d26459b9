// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chat's smiley pictures, drawn in code: 18 faces of 17 x 16 pixels, picture k standing
// for the code ":)#" followed by k + 10.

#include <QPixmap>
#include <QString>

class QPainter;
class QRectF;

namespace ui {

inline constexpr int kSmileyWidth = 17;
inline constexpr int kSmileyHeight = 16;
inline constexpr int kSmileyPictures = 18;

// Paints picture `index` (0..17; others draw picture 0) scaled into `target`.
void paintSmiley(QPainter& painter, const QRectF& target, int index);

// Picture `index` as a 17 x 16 pixmap for the given device pixel ratio (cached).
QPixmap smileyPixmap(int index, qreal devicePixelRatio = 1.0);

// The text code of picture `index`: ":)#10" to ":)#27".
QString smileyCode(int index);

} // namespace ui
