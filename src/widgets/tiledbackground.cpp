// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/tiledbackground.h"

#include "widgets/bandedpaint.h"

#include <QEvent>
#include <QPaintEvent>
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

// Fills its widget's window brush under the widget's own painting, as Qt's automatic
// background does, but in bands (bandedpaint.h): the paper covers whole windows.
class BandedBackground : public QObject {
public:
    static constexpr char kName[] = "bandedbackground";

    explicit BandedBackground(QWidget* widget) : QObject(widget) { setObjectName(kName); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == parent()) {
            auto* w = static_cast<QWidget*>(watched);
            const QRect area = static_cast<QPaintEvent*>(event)->rect();
            const QBrush brush = w->palette().brush(QPalette::Window);
            QPainter p(w); // clipped to the event's region
            paintInBands(p, area, [&] {
                // Nothing lies under a window's own painting: a picture with see-through
                // parts is laid on white paper.
                if (!brush.isOpaque()) p.fillRect(area, Qt::white);
                p.fillRect(area, brush);
            });
        }
        return false;
    }
};

} // namespace

const QPixmap& TiledBackground::tile() {
    static const QPixmap pixmap = makeTile();
    return pixmap;
}

void TiledBackground::apply(QWidget* w) {
    QPalette pal = w->palette();
    pal.setBrush(QPalette::Window, QBrush(tile()));
    w->setPalette(pal);
    // The filter paints every pixel of the window brush, a picture given later included.
    if (!w->findChild<QObject*>(QString::fromLatin1(BandedBackground::kName),
                                Qt::FindDirectChildrenOnly))
        w->installEventFilter(new BandedBackground(w));
    w->setAutoFillBackground(false);
    w->setAttribute(Qt::WA_OpaquePaintEvent);
}

} // namespace ui
