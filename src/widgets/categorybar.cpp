// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/categorybar.h"

#include "widgets/boardpalette.h"

#include <QPainter>
#include <QPainterPath>

namespace ui {

CategoryBar::CategoryBar(int category, QWidget* parent) : CategoryTile(category, parent) {
    resize(sizeHint());
}

void CategoryBar::setBarWidth(int width) {
    resize(std::max(0, width), height());
}

void CategoryBar::paintBar(QPainter& p, const QRectF& r, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = std::min(r.height() - 4, 14.0);
    const QRectF band(r.left(), r.center().y() - h / 2, r.width() - 1, h);
    const qreal tip = std::min(band.height() * 0.6, band.width() / 2);
    QPainterPath path;
    path.moveTo(band.topLeft());
    path.lineTo(band.right() - tip, band.top());
    path.lineTo(band.right(), band.center().y());
    path.lineTo(band.right() - tip, band.bottom());
    path.lineTo(band.bottomLeft());
    path.closeSubpath();
    QLinearGradient gold(band.topLeft(), band.bottomLeft());
    gold.setColorAt(0.0, lit ? QColor(255, 238, 150, 235) : QColor(255, 244, 190, 215));
    gold.setColorAt(1.0, lit ? QColor(232, 180, 40, 235) : QColor(236, 200, 90, 215));
    p.setBrush(gold);
    p.setPen(QPen(BoardPalette::deepGold(), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
    p.drawLine(QPointF(band.left() + 1, band.top() + 1.5),
               QPointF(band.right() - tip - 1, band.top() + 1.5));
    p.restore();
}

void CategoryBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintBar(p, rect(), isLit());
}

} // namespace ui
