// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Painting in horizontal bands. Qt's raster engine splits every fill of more than about 96
// spans (a span is a run of pixels on one row) among the threads of its GUI thread pool and
// waits for them. On two cores shared with the X server the hand-off costs more than the fill
// itself. Painted one band at a time, a large fill stays on the painting thread; the pixels
// are the same.
#include <QRect>

#include <functional>

class QPainter;

namespace ui {

// At most this many device rows a band: an antialiased shape has up to three spans a row.
inline constexpr int kPaintBandRows = 30;

// Calls paint once for each band of area (in the painter's coordinates), with the painter
// clipped to that band: for painting of our own, which keeps to the clip it is given.
void paintInBands(QPainter& p, const QRect& area, const std::function<void()>& paint);

// Calls paint once for each band of area with a painter on a picture of that band, then lays
// the picture onto p: for painting that sets clips of its own (a style's), where a clip of
// ours would not hold.
void paintThroughBands(QPainter& p, const QRect& area, const std::function<void(QPainter&)>& paint);

// Where neither can keep whole pixels apart -- a rotation, a scale that is not a whole number,
// an area one band high -- paint is called once, on p, as it is.

} // namespace ui
