// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/bandedpaint.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace ui {

namespace {

bool whole(qreal v) {
    return v == std::floor(v);
}

// Rows of area for each band, or 0 when bands of it would not meet pixel for pixel.
int bandRows(const QPainter& p, const QRect& area) {
    const QTransform t = p.deviceTransform();
    const qreal scale = t.m22();
    if (t.m12() != 0 || t.m21() != 0 || scale < 1 || !whole(scale) || !whole(t.dy())) return 0;
    if (area.isEmpty() || area.height() * scale <= kPaintBandRows) return 0;
    return std::max(1, int(kPaintBandRows / scale));
}

} // namespace

void paintInBands(QPainter& p, const QRect& area, const std::function<void()>& paint) {
    const int rows = bandRows(p, area);
    if (rows == 0) {
        paint();
        return;
    }
    for (int top = area.top(); top <= area.bottom(); top += rows) {
        p.save();
        p.setClipRect(
            QRect(area.left(), top, area.width(), std::min(rows, area.bottom() + 1 - top)),
            Qt::IntersectClip);
        paint();
        p.restore();
    }
}

void paintThroughBands(QPainter& p, const QRect& area,
                       const std::function<void(QPainter&)>& paint) {
    int rows = bandRows(p, area);
    const QTransform t = p.deviceTransform();
    const qreal scale = t.m11();
    // A picture is laid on as it is only at whole device pixels, and only as plain painting.
    if (scale != t.m22() || !whole(t.dx()) || p.opacity() != 1.0 ||
        p.compositionMode() != QPainter::CompositionMode_SourceOver)
        rows = 0;
    if (rows == 0) {
        paint(p);
        return;
    }
    QImage band(int(area.width() * scale), int(rows * scale), QImage::Format_ARGB32_Premultiplied);
    band.setDevicePixelRatio(scale);
    for (int top = area.top(); top <= area.bottom(); top += rows) {
        const int height = std::min(rows, area.bottom() + 1 - top);
        band.fill(Qt::transparent);
        {
            QPainter bp(&band);
            bp.setRenderHints(p.renderHints());
            bp.setFont(p.font());
            bp.setPen(p.pen());
            bp.setBrush(p.brush());
            bp.setLayoutDirection(p.layoutDirection());
            bp.translate(-area.left(), -top);
            bp.setBrushOrigin(p.brushOrigin());
            paint(bp);
        }
        p.drawImage(QRect(area.left(), top, area.width(), height), band,
                    QRect(0, 0, int(area.width() * scale), int(height * scale)));
    }
}

} // namespace ui
