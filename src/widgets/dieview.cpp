// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dieview.h"

#include "widgets/boardpalette.h"
#include "widgets/diepictures.h"
#include "widgets/piplayout.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace ui {

namespace {

int normalisedFace(int face) {
    return face >= 0 && face <= 6 ? face : 0;
}

QRectF squareIn(const QRectF& r) {
    const qreal side = std::min(r.width(), r.height());
    return QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
}

// The body sits a little up and left inside its square so the shadow has room below right.
QRectF bodyRect(const QRectF& square) {
    const qreal s = square.width();
    return square.adjusted(0.05 * s, 0.04 * s, -0.09 * s, -0.10 * s);
}

} // namespace

DieView::DieView(QWidget* parent) : QWidget(parent) {
    resize(kSize, kSize);
}

void DieView::draw(int face, Body body) {
    face = normalisedFace(face);
    if (m_drawn && m_face == face && m_body == body) return;
    m_face = face;
    m_body = body;
    m_drawn = true;
    update();
}

void DieView::setFace(int face) {
    draw(face, m_body);
}

void DieView::setBody(Body body) {
    draw(m_face, body);
}

void DieView::setRaised(bool raised) {
    m_raised = raised;
    move(x(), raised ? m_raisedTop : m_restingTop);
}

void DieView::setTops(int restingTop, int raisedTop) {
    m_restingTop = restingTop;
    m_raisedTop = raisedTop;
    setRaised(m_raised);
}

void DieView::clear() {
    if (!m_drawn) return;
    m_drawn = false;
    update();
}

void DieView::paintBody(QPainter& p, const QRectF& r, Body body) {
    const QRectF square = squareIn(r);
    const qreal s = square.width();
    const QRectF b = bodyRect(square);
    const qreal radius = 0.2 * b.width();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    // Soft shadow: a few widening, fading copies below right.
    for (int i = 3; i >= 1; --i) {
        const qreal grow = 0.012 * s * i;
        QRectF sh = b.translated(0.035 * s, 0.05 * s).adjusted(-grow, -grow, grow, grow);
        p.setBrush(QColor(40, 0, 0, 26 + 10 * (3 - i)));
        p.drawRoundedRect(sh, radius + grow, radius + grow);
    }

    QRadialGradient fill(b.left() + 0.32 * b.width(), b.top() + 0.26 * b.height(),
                         1.05 * b.width());
    fill.setColorAt(0.0, BoardPalette::dieLight());
    fill.setColorAt(0.42, BoardPalette::dieRed());
    fill.setColorAt(1.0, BoardPalette::dieDark());
    p.setBrush(fill);
    p.setPen(QPen(BoardPalette::dieEdge(), std::max(1.0, 0.022 * s)));
    p.drawRoundedRect(b, radius, radius);

    // Bevel: light along the upper left inside edge, shade along the lower right.
    const qreal bevel = 0.035 * s;
    const QRectF inner = b.adjusted(bevel, bevel, -bevel, -bevel);
    QLinearGradient edge(b.topLeft(), b.bottomRight());
    edge.setColorAt(0.0, QColor(255, 255, 255, 120));
    edge.setColorAt(0.45, QColor(255, 255, 255, 0));
    edge.setColorAt(0.6, QColor(0, 0, 0, 0));
    edge.setColorAt(1.0, QColor(60, 0, 0, 90));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(edge), bevel));
    p.drawRoundedRect(b.adjusted(bevel / 2, bevel / 2, -bevel / 2, -bevel / 2), radius - bevel / 2,
                      radius - bevel / 2);

    // Gloss across the top.
    QPainterPath gloss;
    gloss.addRoundedRect(inner.adjusted(0.04 * s, 0.01 * s, -0.04 * s, -0.52 * inner.height()),
                         radius * 0.8, radius * 0.8);
    QLinearGradient shine(inner.topLeft(),
                          QPointF(inner.left(), inner.top() + 0.5 * inner.height()));
    shine.setColorAt(0.0, QColor(255, 255, 255, 90));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(gloss);

    if (body == Body::Bonus) {
        // The light rim: a pale gold band just inside the edge, with a faint glow outside.
        const qreal rim = 0.065 * s;
        QLinearGradient gold(b.topLeft(), b.bottomRight());
        gold.setColorAt(0.0, QColor(255, 250, 222));
        gold.setColorAt(0.5, BoardPalette::rimLight());
        gold.setColorAt(1.0, BoardPalette::gold());
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 226, 120, 90), 0.03 * s));
        p.drawRoundedRect(b.adjusted(-0.012 * s, -0.012 * s, 0.012 * s, 0.012 * s),
                          radius + 0.012 * s, radius + 0.012 * s);
        p.setPen(QPen(QBrush(gold), rim));
        p.drawRoundedRect(b.adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2), radius - rim / 2,
                          radius - rim / 2);
        p.setPen(QPen(QColor(120, 70, 0, 150), std::max(0.8, 0.012 * s)));
        p.drawRoundedRect(b.adjusted(rim, rim, -rim, -rim), radius - rim, radius - rim);
        p.setPen(QPen(BoardPalette::dieEdge(), std::max(1.0, 0.022 * s)));
        p.drawRoundedRect(b, radius, radius);
    }
    p.restore();
}

void DieView::paintPips(QPainter& p, const QRectF& r, int face) {
    face = normalisedFace(face);
    if (face == 0) return;
    const QRectF b = bodyRect(squareIn(r));
    const qreal step = 0.25 * b.width();
    const QPointF centre = b.center();
    // Small dice (category buttons) get relatively larger pips so they still read.
    const qreal radius = std::max(0.1 * b.width(), std::min(1.9, 0.16 * b.width()));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (const QPoint& cell : pipLayout()[static_cast<size_t>(face)]) {
        const QPointF c(centre.x() + (cell.x() - 1) * step, centre.y() + (1 - cell.y()) * step);
        // Carved look: a dark lip above, the white pip a hair lower.
        p.setBrush(QColor(70, 0, 0, 120));
        p.drawEllipse(c + QPointF(0, -0.12 * radius), radius * 1.08, radius * 1.08);
        QRadialGradient white(c + QPointF(-0.3 * radius, -0.35 * radius), radius * 1.5);
        white.setColorAt(0.0, BoardPalette::pip());
        white.setColorAt(0.6, QColor(250, 247, 244));
        white.setColorAt(1.0, BoardPalette::pipShade());
        p.setBrush(white);
        p.drawEllipse(c + QPointF(0, 0.1 * radius), radius, radius);
    }
    p.restore();
}

QPixmap DieView::frame(int index, int side) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const QRectF r(0, 0, side, side);
    if (index == static_cast<int>(Body::Plain))
        paintBody(p, r, Body::Plain);
    else if (index == static_cast<int>(Body::Bonus))
        paintBody(p, r, Body::Bonus);
    else if (index >= 1 && index <= 6)
        paintPips(p, r, index);
    return pm;
}

void DieView::setBackdrop(Backdrop backdrop) {
    m_backdrop = std::move(backdrop);
    setAttribute(Qt::WA_OpaquePaintEvent, static_cast<bool>(m_backdrop));
    update();
}

void DieView::paintEvent(QPaintEvent* event) {
    if (!m_drawn && !m_backdrop) return;
    QPainter p(this);
    if (m_backdrop) m_backdrop(p, event->rect());
    if (!m_drawn) return;
    // The kept picture of the largest square that fits, centred: a board laid out at a scale
    // that makes a die a pixel wider than high still only blits.
    const int side = std::min(width(), height());
    p.drawPixmap((width() - side) / 2, (height() - side) / 2,
                 DiePictures::picture(m_face, m_body, side, devicePixelRatioF()));
}

void DieView::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->button());
    event->accept();
}

} // namespace ui
