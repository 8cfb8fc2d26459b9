// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The background every window of the game shares: white paper with a faint, seamless pattern
// of a gold lattice and pips, repeated over the whole window.
#include <QPixmap>

class QWidget;

namespace ui {

class TiledBackground {
public:
    static constexpr int kTileSize = 48;

    // The tile, painted once and kept.
    static const QPixmap& tile();
    // Make w paint the background behind all of its children: its palette's window brush,
    // set to the tile here (a window may set a picture of its own there later).
    static void apply(QWidget* w);
};

} // namespace ui
