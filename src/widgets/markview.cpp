// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/markview.h"

#include "widgets/boardpalette.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace ui {

namespace {

void paintEyes(QPainter& p) {
    // Two eyes glancing sideways at the table.
    for (qreal x : {2.0, 16.5}) {
        const QRectF eye(x, 2, 13.5, 14);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawEllipse(eye.translated(0.6, 1.0));
        QRadialGradient white(eye.center() + QPointF(-2, -3), 10);
        white.setColorAt(0.0, Qt::white);
        white.setColorAt(1.0, QColor(225, 228, 235));
        p.setBrush(white);
        p.setPen(QPen(BoardPalette::ink(), 1.2));
        p.drawEllipse(eye);
        const QPointF iris = eye.center() + QPointF(2.4, 1.2);
        QRadialGradient blue(iris + QPointF(-1, -1), 4.5);
        blue.setColorAt(0.0, QColor(110, 170, 235));
        blue.setColorAt(1.0, QColor(30, 80, 160));
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(iris, 3.9, 3.9);
        p.setBrush(QColor(15, 15, 25));
        p.drawEllipse(iris, 1.9, 1.9);
        p.setBrush(Qt::white);
        p.drawEllipse(iris + QPointF(-1.3, -1.4), 0.9, 0.9);
        // Upper lid: a heavier stroke along the top of the eye.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(BoardPalette::ink(), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(eye.adjusted(0.3, 0.3, -0.3, -0.3), 25 * 16, 130 * 16);
    }
}

void paintNotPlaying(QPainter& p) {
    const QPointF c(13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(c + QPointF(0.6, 1.0), 11.5, 11.5);
    p.setBrush(QColor(255, 255, 255, 215));
    p.drawEllipse(c, 10, 10);
    QPen ring(QColor(176, 32, 32), 3.2);
    p.setPen(ring);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 10, 10);
    ring.setCapStyle(Qt::FlatCap);
    p.setPen(ring);
    const qreal d = 10 * 0.7071;
    p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
}

void paintWinner(QPainter& p) {
    // A gold crown.
    QPainterPath crown;
    crown.moveTo(4, 18);
    crown.lineTo(2.5, 7);
    crown.lineTo(11, 12.5);
    crown.lineTo(18, 3.5);
    crown.lineTo(25, 12.5);
    crown.lineTo(33.5, 7);
    crown.lineTo(32, 18);
    crown.closeSubpath();
    const QRectF band(3.5, 17, 29, 5.5);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 50, 0, 50));
    p.drawPath(crown.translated(0.8, 1.2));
    p.drawRoundedRect(band.translated(0.8, 1.2), 1.5, 1.5);

    QLinearGradient gold(0, 3, 0, 23);
    gold.setColorAt(0.0, QColor(255, 240, 150));
    gold.setColorAt(0.55, QColor(240, 196, 48));
    gold.setColorAt(1.0, QColor(190, 138, 16));
    p.setPen(QPen(BoardPalette::deepGold(), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gold);
    p.drawPath(crown);
    p.drawRoundedRect(band, 1.5, 1.5);
    for (const QPointF& tip : {QPointF(2.5, 7), QPointF(18, 3.5), QPointF(33.5, 7)}) {
        p.drawEllipse(tip, 2.2, 2.2);
    }
    // Jewels on the band.
    p.setPen(QPen(QColor(90, 0, 0), 0.6));
    p.setBrush(BoardPalette::dieRed());
    p.drawEllipse(QPointF(18, 19.75), 2.0, 2.0);
    p.setPen(QPen(QColor(0, 40, 90), 0.6));
    p.setBrush(QColor(40, 110, 210));
    p.drawEllipse(QPointF(10, 19.75), 1.4, 1.4);
    p.drawEllipse(QPointF(26, 19.75), 1.4, 1.4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QPointF(17.3, 19.0), 0.7, 0.7);
}

QPainterPath starPath(const QPointF& c, qreal outer, qreal inner) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    return star;
}

void paintBonus(QPainter& p) {
    const QRectF pill(0.5, 0.5, 44, 12.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 50, 0, 45));
    p.drawRoundedRect(pill.translated(0.6, 0.8), 6.25, 6.25);
    QLinearGradient gold(0, 0, 0, 13);
    gold.setColorAt(0.0, QColor(255, 244, 170));
    gold.setColorAt(0.5, QColor(244, 200, 52));
    gold.setColorAt(1.0, QColor(206, 150, 20));
    p.setBrush(gold);
    p.setPen(QPen(BoardPalette::deepGold(), 1.0));
    p.drawRoundedRect(pill, 6.25, 6.25);

    // Two small stars at the ends, clear of the word.
    p.setPen(Qt::NoPen);
    p.setBrush(BoardPalette::dieRed());
    p.drawPath(starPath(QPointF(5.2, 6.9), 2.9, 1.2));
    p.drawPath(starPath(QPointF(39.8, 6.9), 2.9, 1.2));

    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(8);
    f.setBold(true);
    f.setStretch(QFont::Condensed);
    p.setFont(f);
    const QRectF text(8.5, 0.5, 28, 12.5);
    p.setPen(QColor(255, 255, 255, 170));
    p.drawText(text.translated(0, 0.7), Qt::AlignCenter, QStringLiteral("BONUS"));
    p.setPen(BoardPalette::dieDark());
    p.drawText(text, Qt::AlignCenter, QStringLiteral("BONUS"));
}

void paintCategory(QPainter& p) {
    QPainterPath arrow;
    arrow.moveTo(1, 5.5);
    arrow.lineTo(8.5, 5.5);
    arrow.lineTo(8.5, 1.5);
    arrow.lineTo(17, 8);
    arrow.lineTo(8.5, 14.5);
    arrow.lineTo(8.5, 10.5);
    arrow.lineTo(1, 10.5);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 0, 0, 50));
    p.drawPath(arrow.translated(0.7, 1.0));
    QLinearGradient red(0, 1, 0, 15);
    red.setColorAt(0.0, BoardPalette::dieLight());
    red.setColorAt(0.5, BoardPalette::dieRed());
    red.setColorAt(1.0, BoardPalette::dieDark());
    p.setBrush(red);
    p.setPen(QPen(BoardPalette::dieEdge(), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(arrow);
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2.2, 6.8), QPointF(9.5, 6.8));
}

} // namespace

MarkView::MarkView(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(designSize(kind));
}

QSize MarkView::designSize(Kind kind) {
    switch (kind) {
    case Kind::Eyes:
        return {32, 18};
    case Kind::NotPlaying:
        return {27, 27};
    case Kind::Winner:
        return {36, 24};
    case Kind::Bonus:
        return {45, 14};
    case Kind::Category:
        return {18, 16};
    }
    return {16, 16};
}

void MarkView::paintMark(QPainter& p, const QRectF& r, Kind kind) {
    const QSizeF design = designSize(kind);
    const qreal scale = std::min(r.width() / design.width(), r.height() / design.height());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(r.center().x() - design.width() * scale / 2,
                r.center().y() - design.height() * scale / 2);
    p.scale(scale, scale);
    switch (kind) {
    case Kind::Eyes:
        paintEyes(p);
        break;
    case Kind::NotPlaying:
        paintNotPlaying(p);
        break;
    case Kind::Winner:
        paintWinner(p);
        break;
    case Kind::Bonus:
        paintBonus(p);
        break;
    case Kind::Category:
        paintCategory(p);
        break;
    }
    p.restore();
}

void MarkView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintMark(p, rect(), m_kind);
}

} // namespace ui
