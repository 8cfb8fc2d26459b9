// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/smileys.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace ui {

namespace {

enum Face {
    Smile,
    Grin,
    Wink,
    Sad,
    Tongue,
    Surprised,
    Cool,
    Angry,
    Laugh,
    Cry,
    Love,
    Confused,
    Sleepy,
    Kiss,
    Devil,
    Angel,
    Blush,
    Nerd
};

const QColor kOutline(120, 72, 0);
const QColor kYellow(255, 214, 40);
const QColor kYellowLight(255, 244, 150);
const QColor kInk(70, 40, 0);

// Face disc with a soft highlight; the centre and radius leave room for hats and horns.
void disc(QPainter& p, QPointF c, qreal r, QColor base, QColor light) {
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.45), r * 1.3);
    g.setColorAt(0, light);
    g.setColorAt(1, base);
    p.setPen(QPen(kOutline, 0.9));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void dot(QPainter& p, QPointF c, qreal rx, qreal ry) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(c, rx, ry);
}

void stroke(QPainter& p, const QPainterPath& path, qreal width = 1.1, QColor colour = kInk) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

QPainterPath arc(QPointF from, QPointF control, QPointF to) {
    QPainterPath path(from);
    path.quadTo(control, to);
    return path;
}

void normalEyes(QPainter& p, qreal cy = 6.3) {
    dot(p, {6.3, cy}, 1.0, 1.5);
    dot(p, {10.7, cy}, 1.0, 1.5);
}

void smileMouth(QPainter& p, qreal depth = 3.0) {
    stroke(p, arc({4.9, 9.6}, {8.5, 9.6 + depth * 1.3}, {12.1, 9.6}));
}

void openMouth(QPainter& p, QRectF box, qreal startDeg, qreal spanDeg, bool teeth = false) {
    QPainterPath path;
    path.arcMoveTo(box, startDeg);
    path.arcTo(box, startDeg, spanDeg);
    path.closeSubpath();
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(QColor(150, 30, 30));
    p.drawPath(path);
    if (teeth) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(box.center().x() - 2.2, box.center().y(), 4.4, 1.2));
    }
}

void heart(QPainter& p, QPointF c, qreal s, QColor colour) {
    QPainterPath path;
    path.moveTo(c.x(), c.y() + s);
    path.cubicTo(c.x() - s * 1.6, c.y() - s * 0.1, c.x() - s * 0.7, c.y() - s * 1.3, c.x(),
                 c.y() - s * 0.4);
    path.cubicTo(c.x() + s * 0.7, c.y() - s * 1.3, c.x() + s * 1.6, c.y() - s * 0.1, c.x(),
                 c.y() + s);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void paintFace(QPainter& p, int face) {
    const QPointF c(8.5, 8.5);
    const qreal r = 7.0;
    switch (face) {
    case Devil: {
        QPainterPath horns;
        horns.moveTo(3.2, 4.0);
        horns.lineTo(2.2, 0.4);
        horns.lineTo(6.0, 2.6);
        horns.moveTo(13.8, 4.0);
        horns.lineTo(14.8, 0.4);
        horns.lineTo(11.0, 2.6);
        p.setPen(QPen(QColor(90, 0, 60), 0.8));
        p.setBrush(QColor(200, 40, 40));
        p.drawPath(horns);
        disc(p, {8.5, 9.0}, 6.6, QColor(176, 60, 200), QColor(230, 170, 245));
        stroke(p, arc({4.6, 5.2}, {6.0, 6.4}, {7.4, 6.6}), 1.0);
        stroke(p, arc({12.4, 5.2}, {11.0, 6.4}, {9.6, 6.6}), 1.0);
        dot(p, {6.4, 7.8}, 0.9, 1.1);
        dot(p, {10.6, 7.8}, 0.9, 1.1);
        stroke(p, arc({5.0, 10.6}, {8.5, 14.4}, {12.0, 10.6}));
        return;
    }
    case Angel: {
        p.setPen(QPen(QColor(230, 180, 0), 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8.5, 1.6), 4.6, 1.3);
        disc(p, {8.5, 9.2}, 6.5, kYellow, kYellowLight);
        stroke(p, arc({5.0, 8.0}, {6.3, 6.8}, {7.5, 8.0}), 0.9);
        stroke(p, arc({9.5, 8.0}, {10.7, 6.8}, {12.0, 8.0}), 0.9);
        stroke(p, arc({5.6, 11.0}, {8.5, 13.6}, {11.4, 11.0}));
        return;
    }
    case Angry:
        disc(p, c, r, QColor(236, 70, 40), QColor(255, 170, 120));
        break;
    case Sleepy:
        disc(p, {8.0, 9.0}, 6.6, kYellow, kYellowLight);
        break;
    default:
        disc(p, c, r, kYellow, kYellowLight);
        break;
    }

    switch (face) {
    case Smile:
        normalEyes(p);
        smileMouth(p);
        break;
    case Grin:
        normalEyes(p);
        openMouth(p, QRectF(4.6, 6.6, 7.8, 6.6), 180, 180, true);
        break;
    case Wink:
        dot(p, {6.3, 6.3}, 1.0, 1.5);
        stroke(p, arc({9.4, 6.6}, {10.7, 5.4}, {12.0, 6.6}), 1.0);
        stroke(p, arc({4.9, 10.0}, {9.0, 12.8}, {12.1, 9.2}));
        break;
    case Sad:
        normalEyes(p, 6.6);
        stroke(p, arc({5.2, 12.6}, {8.5, 9.2}, {11.8, 12.6}));
        break;
    case Tongue:
        normalEyes(p);
        p.setPen(QPen(kInk, 0.7));
        p.setBrush(QColor(240, 90, 110));
        p.drawRoundedRect(QRectF(7.2, 10.0, 3.6, 4.0), 1.6, 1.6);
        {
            QPainterPath line(QPointF(5.0, 10.1));
            line.lineTo(12.0, 10.1);
            stroke(p, line);
        }
        break;
    case Surprised:
        dot(p, {6.3, 6.0}, 1.1, 1.6);
        dot(p, {10.7, 6.0}, 1.1, 1.6);
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(150, 30, 30));
        p.drawEllipse(QPointF(8.5, 11.4), 1.7, 2.1);
        break;
    case Cool: {
        p.setPen(QPen(Qt::black, 0.7));
        p.setBrush(QColor(20, 20, 30));
        p.drawRoundedRect(QRectF(3.2, 4.6, 4.8, 3.4), 1.3, 1.3);
        p.drawRoundedRect(QRectF(9.0, 4.6, 4.8, 3.4), 1.3, 1.3);
        QPainterPath bridge(QPointF(2.0, 5.4));
        bridge.lineTo(15.0, 5.4);
        stroke(p, bridge, 0.9, Qt::black);
        p.setPen(QPen(QColor(255, 255, 255, 170), 0.7));
        p.drawLine(QPointF(4.2, 5.6), QPointF(5.4, 5.6));
        p.drawLine(QPointF(10.0, 5.6), QPointF(11.2, 5.6));
        stroke(p, arc({5.2, 10.6}, {9.0, 13.0}, {12.2, 9.8}));
        break;
    }
    case Angry:
        stroke(p, arc({4.4, 4.0}, {6.2, 4.6}, {7.6, 5.8}), 1.1);
        stroke(p, arc({12.6, 4.0}, {10.8, 4.6}, {9.4, 5.8}), 1.1);
        dot(p, {6.4, 7.2}, 0.9, 1.1);
        dot(p, {10.6, 7.2}, 0.9, 1.1);
        stroke(p, arc({5.4, 12.4}, {8.5, 10.0}, {11.6, 12.4}));
        break;
    case Laugh:
        stroke(p, arc({4.9, 6.8}, {6.3, 4.6}, {7.7, 6.8}), 1.0);
        stroke(p, arc({9.3, 6.8}, {10.7, 4.6}, {12.1, 6.8}), 1.0);
        openMouth(p, QRectF(3.8, 5.6, 9.4, 8.6), 180, 180, true);
        break;
    case Cry:
        stroke(p, arc({4.9, 6.0}, {6.3, 7.4}, {7.7, 6.0}), 1.0);
        stroke(p, arc({9.3, 6.0}, {10.7, 7.4}, {12.1, 6.0}), 1.0);
        stroke(p, arc({5.6, 12.4}, {8.5, 9.8}, {11.4, 12.4}));
        {
            QPainterPath tear(QPointF(5.0, 7.6));
            tear.cubicTo(3.6, 10.0, 4.0, 11.4, 5.0, 11.4);
            tear.cubicTo(6.0, 11.4, 6.4, 10.0, 5.0, 7.6);
            p.setPen(QPen(QColor(20, 90, 200), 0.5));
            p.setBrush(QColor(110, 180, 255));
            p.drawPath(tear);
        }
        break;
    case Love:
        heart(p, {6.0, 6.4}, 2.0, QColor(225, 20, 60));
        heart(p, {11.0, 6.4}, 2.0, QColor(225, 20, 60));
        smileMouth(p, 3.2);
        break;
    case Confused: {
        dot(p, {6.3, 6.0}, 1.0, 1.5);
        dot(p, {10.7, 6.6}, 0.8, 1.1);
        QPainterPath wave(QPointF(4.8, 11.4));
        wave.cubicTo(6.2, 9.6, 7.4, 12.8, 8.6, 11.2);
        wave.cubicTo(9.8, 9.6, 11.0, 12.6, 12.2, 10.8);
        stroke(p, wave);
        break;
    }
    case Sleepy: {
        QPainterPath lids(QPointF(4.4, 8.0));
        lids.lineTo(7.2, 8.0);
        lids.moveTo(8.8, 8.0);
        lids.lineTo(11.6, 8.0);
        stroke(p, lids, 1.1);
        p.setPen(QPen(kInk, 0.7));
        p.setBrush(QColor(150, 30, 30));
        p.drawEllipse(QPointF(8.0, 12.0), 1.2, 1.0);
        QFont f;
        f.setPixelSize(6);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(40, 80, 200));
        p.drawText(QPointF(12.2, 5.0), QStringLiteral("z"));
        f.setPixelSize(4);
        p.setFont(f);
        p.drawText(QPointF(14.4, 2.4), QStringLiteral("z"));
        break;
    }
    case Kiss:
        stroke(p, arc({4.9, 6.8}, {6.3, 4.8}, {7.7, 6.8}), 1.0);
        dot(p, {10.7, 6.3}, 1.0, 1.5);
        {
            QPainterPath lips(QPointF(7.8, 9.6));
            lips.quadTo(9.8, 10.6, 8.2, 11.4);
            lips.quadTo(9.8, 12.2, 7.8, 13.2);
            stroke(p, lips, 1.0, QColor(200, 20, 60));
        }
        heart(p, {13.6, 11.4}, 1.6, QColor(235, 30, 80));
        break;
    case Blush:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 90, 90, 150));
        p.drawEllipse(QPointF(4.4, 9.6), 1.7, 1.1);
        p.drawEllipse(QPointF(12.6, 9.6), 1.7, 1.1);
        stroke(p, arc({4.9, 6.6}, {6.3, 5.2}, {7.7, 6.6}), 1.0);
        stroke(p, arc({9.3, 6.6}, {10.7, 5.2}, {12.1, 6.6}), 1.0);
        stroke(p, arc({6.4, 10.8}, {8.5, 12.4}, {10.6, 10.8}));
        break;
    case Nerd:
        p.setPen(QPen(QColor(30, 30, 30), 0.9));
        p.setBrush(QColor(255, 255, 255, 140));
        p.drawEllipse(QPointF(6.0, 6.4), 2.3, 2.3);
        p.drawEllipse(QPointF(11.0, 6.4), 2.3, 2.3);
        p.drawLine(QPointF(8.3, 6.2), QPointF(8.7, 6.2));
        dot(p, {6.2, 6.6}, 0.8, 0.9);
        dot(p, {11.2, 6.6}, 0.8, 0.9);
        stroke(p, arc({5.0, 10.0}, {8.5, 13.0}, {12.0, 10.0}));
        p.setPen(QPen(kInk, 0.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7.4, 10.9, 2.2, 1.6));
        break;
    default:
        break;
    }
}

} // namespace

void paintSmiley(QPainter& painter, const QRectF& target, int index) {
    if (index < 0 || index >= kSmileyPictures) index = 0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / kSmileyWidth, target.height() / kSmileyHeight);
    // The faces are drawn on a 17 x 17 grid; squeeze it into the 16-pixel height.
    painter.scale(1.0, qreal(kSmileyHeight) / kSmileyWidth);
    paintFace(painter, index);
    painter.restore();
}

QPixmap smileyPixmap(int index, qreal devicePixelRatio) {
    if (index < 0 || index >= kSmileyPictures) index = 0;
    static QHash<quint64, QPixmap> cache;
    const int scale = std::max(1, int(std::ceil(devicePixelRatio * 4)));
    const quint64 key = (quint64(scale) << 8) | quint64(index);
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;

    const qreal dpr = scale / 4.0;
    QPixmap pixmap(int(std::ceil(kSmileyWidth * dpr)), int(std::ceil(kSmileyHeight * dpr)));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintSmiley(p, QRectF(0, 0, kSmileyWidth, kSmileyHeight), index);
    p.end();
    cache.insert(key, pixmap);
    return pixmap;
}

QString smileyCode(int index) {
    return QStringLiteral(":)#") + QString::number(index + 10);
}

} // namespace ui
