// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/goldbutton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

// At zoom 1: the caption's size, the corners, the padding and the least room for the caption.
constexpr int kCaptionPx = 11;
constexpr int kRadius = 4;
constexpr int kPadX = 2;
constexpr int kPadY = 1;
constexpr int kLeastWidth = 20;
constexpr int kLeastHeight = 18;
constexpr int kEdge = 1;
constexpr int kSlack = 3; // the tool button's own room around its contents

const QColor kCaption(0x5b, 0x3a, 0x00);
const QColor kEdgeColour(0xb0, 0x8a, 0x3e);

} // namespace

GoldButton::GoldButton(QWidget* parent) : QToolButton(parent) {
    setAttribute(Qt::WA_Hover); // the plate lightens under the mouse
    setScale(1.0);
}

int GoldButton::px(int n) const {
    return std::max(n, int(std::lround(n * m_scale)));
}

void GoldButton::setScale(qreal scale) {
    m_scale = std::max(1.0, scale);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px(kCaptionPx));
    f.setBold(true);
    setFont(f);
    // The least size leaves out the tool button's own room: a crowded row may take it.
    setMinimumSize(px(kLeastWidth) + 2 * px(kPadX) + 2 * kEdge,
                   px(kLeastHeight) + 2 * px(kPadY) + 2 * kEdge);
    updateGeometry();
    update();
}

QSize GoldButton::sizeHint() const {
    QSize content;
    if (!icon().isNull())
        content = iconSize();
    else
        content = QSize(fontMetrics().horizontalAdvance(text()), fontMetrics().height());
    const int w = std::max(px(kLeastWidth), content.width()) + 2 * px(kPadX);
    const int h = std::max(px(kLeastHeight), content.height()) + 2 * px(kPadY);
    return {w + 2 * kEdge + kSlack, h + 2 * kEdge + kSlack};
}

void GoldButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = px(kRadius);
    if (isDown()) {
        p.setBrush(QColor(0xe2, 0xc2, 0x62));
    } else {
        QLinearGradient fill(plate.topLeft(), plate.bottomLeft());
        const bool hover = underMouse() && isEnabled();
        fill.setColorAt(0, hover ? QColor(0xff, 0xff, 0xff) : QColor(0xff, 0xfb, 0xe6));
        fill.setColorAt(1, hover ? QColor(0xf7, 0xe3, 0xa4) : QColor(0xef, 0xd4, 0x82));
        p.setBrush(fill);
    }
    p.setPen(QPen(kEdgeColour, kEdge));
    p.drawRoundedRect(plate, radius, radius);

    if (!icon().isNull()) {
        const QSize size = iconSize();
        const QPoint at((width() - size.width()) / 2, (height() - size.height()) / 2);
        icon().paint(&p, QRect(at, size));
        return;
    }
    p.setPen(kCaption);
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace ui
