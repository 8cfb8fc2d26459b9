// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/rollsindicator.h"

#include "widgets/boardpalette.h"

#include <QPainter>

namespace ui {

RollsIndicator::RollsIndicator(QWidget* parent) : QWidget(parent) {
    resize(kWidth, kHeight);
}

void RollsIndicator::setRolls(int rolls) {
    m_rolls = rolls;
    update();
}

int RollsIndicator::shownFrame() const {
    return m_rolls >= 0 && m_rolls <= kBoxes ? m_rolls : -1;
}

void RollsIndicator::paintFrame(QPainter& p, const QRectF& r, int crossed) {
    // Scale the 66 x 22 design into r, keeping its proportions.
    const qreal scale = std::min(r.width() / kWidth, r.height() / kHeight);
    const QRectF area(r.center().x() - kWidth * scale / 2, r.center().y() - kHeight * scale / 2,
                      kWidth * scale, kHeight * scale);
    const qreal box = 18 * scale;
    const qreal gap = (area.width() - kBoxes * box) / (kBoxes + 1);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < kBoxes; ++i) {
        const QRectF b(area.left() + gap + i * (box + gap), area.center().y() - box / 2, box, box);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 60, 0, 40));
        p.drawRoundedRect(b.translated(0.8 * scale, 1.2 * scale), 4 * scale, 4 * scale);
        QLinearGradient paper(b.topLeft(), b.bottomLeft());
        paper.setColorAt(0.0, QColor(255, 253, 240));
        paper.setColorAt(1.0, BoardPalette::paleGold());
        p.setBrush(paper);
        p.setPen(QPen(BoardPalette::gold(), 1.4 * scale));
        p.drawRoundedRect(b, 4 * scale, 4 * scale);
        if (i < crossed) {
            const QRectF x = b.adjusted(4.2 * scale, 4.2 * scale, -4.2 * scale, -4.2 * scale);
            p.setPen(QPen(QColor(120, 0, 0, 70), 3.4 * scale, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(x.topLeft() + QPointF(0, scale), x.bottomRight() + QPointF(0, scale));
            p.drawLine(x.topRight() + QPointF(0, scale), x.bottomLeft() + QPointF(0, scale));
            p.setPen(QPen(BoardPalette::dieRed(), 3.0 * scale, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(x.topLeft(), x.bottomRight());
            p.drawLine(x.topRight(), x.bottomLeft());
        }
    }
    p.restore();
}

void RollsIndicator::paintEvent(QPaintEvent*) {
    const int frame = shownFrame();
    if (frame < 0) return;
    QPainter p(this);
    paintFrame(p, rect(), frame);
}

} // namespace ui
