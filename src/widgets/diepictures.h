// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The painted pictures of a die (body and pips together), made once per face, body, size and
// pixel ratio and kept for the life of the program: a die that changes face, as the tumbling
// dice do twice a second, only blits a picture.
#include "widgets/dieview.h"

#include <QPixmap>

namespace ui {

class DiePictures {
public:
    // face 0..6 (0: the body alone), drawn in a square of side logical pixels.
    static const QPixmap& picture(int face, DieView::Body body, int side, qreal dpr);
};

} // namespace ui
