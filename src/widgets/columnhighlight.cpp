// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/columnhighlight.h"

#include "widgets/boardpalette.h"

#include <QPainter>

namespace ui {

ColumnHighlight::ColumnHighlight(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(sizeHint());
}

void ColumnHighlight::paintHighlight(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = r.adjusted(1, 1, -1, -1);
    const qreal radius = std::min(6.0, box.width() / 4);
    QLinearGradient across(box.topLeft(), box.topRight());
    across.setColorAt(0.0, QColor(255, 214, 70, 70));
    across.setColorAt(0.5, QColor(255, 236, 150, 40));
    across.setColorAt(1.0, QColor(255, 214, 70, 70));
    p.setBrush(across);
    p.setPen(QPen(QColor(211, 168, 30, 220), 2));
    p.drawRoundedRect(box, radius, radius);
    p.setPen(QPen(QColor(255, 250, 220, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(2, 2, -2, -2), radius - 1.5, radius - 1.5);
    p.restore();
}

void ColumnHighlight::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintHighlight(p, rect());
}

} // namespace ui
