// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the pips of each face of a die sit, on a 3 x 3 grid: x is the column and y the row,
// each 0..2 (0 = low, 1 = middle, 2 = high). Index 0 is the blank face. The dice and the face
// sketches beside the score sheet both draw from it.
#include <QPoint>

#include <array>
#include <vector>

namespace ui {

const std::array<std::vector<QPoint>, 7>& pipLayout();

} // namespace ui
