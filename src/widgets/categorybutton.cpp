// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/categorybutton.h"

#include "widgets/boardpalette.h"
#include "widgets/dieview.h"

#include <QPainter>
#include <QPainterPath>

namespace ui {

CategoryButton::CategoryButton(int category, QWidget* parent) : CategoryTile(category, parent) {
    resize(sizeHint());
}

void CategoryButton::paintCategory(QPainter& p, const QRectF& r, int category, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // The plate.
    const QRectF plate = r.adjusted(1, 1, -1.5, -1.5);
    const qreal radius = std::min(plate.height() / 2, 6.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 60, 0, 40));
    p.drawRoundedRect(plate.translated(0.6, 0.9), radius, radius);
    QLinearGradient paper(plate.topLeft(), plate.bottomLeft());
    paper.setColorAt(0.0, lit ? QColor(255, 250, 205) : QColor(255, 253, 240));
    paper.setColorAt(1.0, lit ? QColor(250, 220, 110) : BoardPalette::paleGold());
    p.setBrush(paper);
    p.setPen(QPen(lit ? BoardPalette::deepGold() : BoardPalette::gold(), lit ? 1.6 : 1.1));
    p.drawRoundedRect(plate, radius, radius);

    // The die or the staircase tile, centred on the plate.
    const qreal side = plate.height() + 0.5;
    const QRectF tile(plate.center().x() - side / 2, plate.center().y() - side / 2 + 0.4, side,
                      side);
    if (category >= 1 && category <= 6) {
        DieView::paintBody(p, tile, DieView::Body::Plain);
        DieView::paintPips(p, tile, category);
    } else if (category == kBramble) {
        DieView::paintBody(p, tile, DieView::Body::Bonus);
        // Rising steps: the straight. Three read better than five at button size.
        const QRectF b = tile.adjusted(0.2 * side, 0.19 * side, -0.27 * side, -0.27 * side);
        const int count = side < 36 ? 3 : 5;
        const qreal w = b.width() / count;
        QPainterPath steps;
        steps.moveTo(b.bottomLeft());
        for (int i = 0; i < count; ++i) {
            const qreal top = b.bottom() - (i + 1) * b.height() / count;
            steps.lineTo(b.left() + i * w, top);
            steps.lineTo(b.left() + (i + 1) * w, top);
        }
        steps.lineTo(b.bottomRight());
        steps.closeSubpath();
        p.setPen(QPen(QColor(90, 0, 0, 140), 0.6));
        p.setBrush(Qt::white);
        p.drawPath(steps);
    }
    p.restore();
}

void CategoryButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintCategory(p, rect(), category(), isLit());
}

} // namespace ui
