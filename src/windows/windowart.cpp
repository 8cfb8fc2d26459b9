// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/windowart.h"

#include "widgets/bandedpaint.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <vector>

namespace ui {

namespace {

void drawDie(QPainter& p, QPointF centre, qreal side, qreal angle, int face) {
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const QRectF box(-side / 2, -side / 2, side, side);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(box.translated(side * 0.06, side * 0.08), side * 0.18, side * 0.18);
    QLinearGradient shade(box.topLeft(), box.bottomRight());
    shade.setColorAt(0, QColor(255, 255, 250));
    shade.setColorAt(1, QColor(226, 222, 205));
    p.setBrush(shade);
    p.setPen(QPen(QColor(120, 110, 90), 1.2));
    p.drawRoundedRect(box, side * 0.18, side * 0.18);

    // Pip positions on a 3x3 grid, numbered 0..8 row by row.
    static const std::array<std::vector<int>, 7> pips = {
        std::vector<int>{}, {4}, {0, 8}, {0, 4, 8}, {0, 2, 6, 8}, {0, 2, 4, 6, 8},
        {0, 2, 3, 5, 6, 8}};
    p.setPen(Qt::NoPen);
    p.setBrush(face == 1 ? QColor(190, 30, 30) : QColor(30, 30, 30));
    const qreal step = side * 0.27;
    const qreal r = side * 0.085;
    for (int cell : pips[static_cast<std::size_t>(face)]) {
        QPointF at((cell % 3 - 1) * step, (cell / 3 - 1) * step);
        p.drawEllipse(at, r, r);
    }
    p.restore();
}

} // namespace

QPixmap diceCloth(QSize size, const QString& caption, int seed) {
    QPixmap pix(size);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient cloth(QPointF(size.width() / 2.0, size.height() / 2.5), size.width() * 0.8);
    cloth.setColorAt(0, QColor(46, 139, 87));
    cloth.setColorAt(1, QColor(16, 78, 48));
    paintInBands(p, pix.rect(), [&] {
        p.fillRect(pix.rect(), cloth);
        p.setPen(QPen(QColor(211, 186, 44), 4));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(pix.rect()).adjusted(2, 2, -2, -2));
    });

    const qreal side = size.height() * 0.2;
    const qreal top = size.height() * 0.36;
    for (int i = 0; i < 5; ++i) {
        const int face = (i * 7 + seed) % 6 + 1;
        const qreal x = size.width() * (0.14 + 0.18 * i);
        const qreal y = top + ((i * 13 + seed * 5) % 7 - 3) * side * 0.12;
        drawDie(p, QPointF(x, y), side, ((i * 37 + seed * 11) % 50) - 25, face);
    }

    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(qMax(12, size.height() / 10));
    p.setFont(font);
    const QRectF textBox(0, size.height() * 0.62, size.width(), size.height() * 0.3);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(textBox.translated(2, 2), Qt::AlignCenter | Qt::TextWordWrap, caption);
    p.setPen(QColor(253, 242, 185));
    p.drawText(textBox, Qt::AlignCenter | Qt::TextWordWrap, caption);
    return pix;
}

} // namespace ui
