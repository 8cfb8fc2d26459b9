#include "widgets/tiledbackground.h"

#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace ui {

namespace {

QPixmap makeTile() {
    const int s = TiledBackground::kTileSize;
    QPixmap pm(s, s);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // The lattice: both diagonals, so the lines meet across tile edges.
    p.setPen(QPen(QColor(236, 222, 170, 85), 1.0));
    p.drawLine(QPointF(0, 0), QPointF(s, s));
    p.drawLine(QPointF(s, 0), QPointF(0, s));
    // A faint five-pip cluster in each diamond, and a single pip where the lines cross.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 204, 130, 70));
    const qreal c = s / 2.0;
    const qreal d = s / 10.0;
    for (const QPointF& pt : {QPointF(c - d, c - d), QPointF(c + d, c - d), QPointF(c, c),
                              QPointF(c - d, c + d), QPointF(c + d, c + d)}) {
        // The cluster sits in the side diamonds, between the crossings.
        p.drawEllipse(pt - QPointF(c, 0), 1.6, 1.6);
        p.drawEllipse(pt + QPointF(c, 0), 1.6, 1.6);
    }
    p.setBrush(QColor(226, 204, 130, 90));
    for (const QPointF& corner :
         {QPointF(0, 0), QPointF(s, 0), QPointF(0, s), QPointF(s, s), QPointF(c, c)}) {
        p.drawEllipse(corner, 2.0, 2.0);
    }
    return pm;
}

} // namespace

const QPixmap& TiledBackground::tile() {
    static const QPixmap pixmap = makeTile();
    return pixmap;
}

void TiledBackground::paint(QPainter& p, const QRect& r) {
    p.drawTiledPixmap(r, tile(), r.topLeft());
}

void TiledBackground::apply(QWidget* w) {
    QPalette pal = w->palette();
    pal.setBrush(QPalette::Window, QBrush(tile()));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

} // namespace ui
