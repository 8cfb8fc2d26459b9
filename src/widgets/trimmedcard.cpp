// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/trimmedcard.h"

#include <QGuiApplication>
#include <QPainter>

namespace ui {

TrimmedCard::TrimmedCard(const QColor& fill, const QColor& trim, int border, int radius,
                         QWidget* parent)
    : QFrame(parent), m_fill(fill), m_trim(trim), m_border(border), m_radius(radius) {
    setContentsMargins(border, border, border, border);
    // The pieces on the card are drawn over a plain window colour, not over the pattern of
    // the table around it (the style shades their frames from that colour).
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QGuiApplication::palette().window());
    setPalette(pal);
}

void TrimmedCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_trim, m_border));
    p.setBrush(m_fill);
    // The pen straddles the path: half a trim in from the edge keeps all of it on the card.
    const qreal half = m_border / 2.0;
    p.drawRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half), m_radius - half,
                      m_radius - half);
}

} // namespace ui
