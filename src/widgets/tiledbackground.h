#pragma once
// The background every window of the game shares: white paper with a faint, seamless pattern
// of a gold lattice and pips, repeated over the whole window.
#include <QPixmap>

class QPainter;
class QRect;
class QWidget;

namespace ui {

class TiledBackground {
public:
    static constexpr int kTileSize = 48;

    // The tile, painted once and kept.
    static const QPixmap& tile();
    // Fill r with the tile, aligned to the widget's origin so neighbours line up.
    static void paint(QPainter& p, const QRect& r);
    // Make w paint the background behind all of its children (its palette's window brush).
    static void apply(QWidget* w);
};

} // namespace ui
