// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/tickbox.h"

#include "widgets/boardpalette.h"

#include <QPainter>
#include <QPainterPath>

namespace ui {

TickBox::TickBox(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    resize(kWidth, kHeight);
}

void TickBox::setTicked(bool ticked) {
    m_ticked = ticked;
    update();
}

void TickBox::paintBox(QPainter& p, const QRectF& r, bool ticked) {
    const qreal scale = std::min(r.width() / kWidth, r.height() / kHeight);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.center().x() - kWidth * scale / 2, r.center().y() - kHeight * scale / 2);
    p.scale(scale, scale);

    const QRectF box(3.5, 3.5, 16, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 60, 0, 45));
    p.drawRoundedRect(box.translated(0.8, 1.1), 3.5, 3.5);
    QLinearGradient paper(box.topLeft(), box.bottomLeft());
    paper.setColorAt(0.0, QColor(255, 254, 246));
    paper.setColorAt(1.0, BoardPalette::cream());
    p.setBrush(paper);
    p.setPen(QPen(BoardPalette::gold().darker(115), 1.4));
    p.drawRoundedRect(box, 3.5, 3.5);
    // A faint inner shadow along the top makes the box read as a hollow.
    p.setPen(QPen(QColor(150, 120, 40, 60), 1.0));
    p.drawLine(QPointF(5.5, 5.2), QPointF(17.5, 5.2));

    if (ticked) {
        // A hand-drawn looking tick that overshoots the box to the upper right.
        QPainterPath tick;
        tick.moveTo(6.5, 11.5);
        tick.quadTo(8.5, 13.0, 10.5, 16.5);
        tick.quadTo(15.5, 7.0, 24.5, 2.0);
        QPen shadow(QColor(0, 50, 0, 60), 3.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(shadow);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick.translated(0.6, 0.9));
        QLinearGradient green(QPointF(6, 2), QPointF(24, 17));
        green.setColorAt(0.0, QColor(70, 170, 60));
        green.setColorAt(1.0, QColor(20, 110, 30));
        p.setPen(QPen(QBrush(green), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    }
    p.restore();
}

void TickBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintBox(p, rect(), m_ticked);
}

} // namespace ui
