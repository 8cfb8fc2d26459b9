// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/diepictures.h"

#include <QHash>
#include <QPainter>

#include <cmath>

namespace ui {

const QPixmap& DiePictures::picture(int face, DieView::Body body, int side, qreal dpr) {
    // A board is laid out at one scale at a time; a handful of sizes covers a whole session.
    static QHash<quint64, QPixmap> pictures;
    const auto dprKey = static_cast<quint64>(std::lround(dpr * 100));
    const quint64 key = (dprKey << 32) | (quint64(side) << 8) |
                        (quint64(body == DieView::Body::Bonus) << 4) | quint64(face);
    auto it = pictures.find(key);
    if (it != pictures.end()) return *it;
    QPixmap pm(QSize(side, side) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        const QRectF r(0, 0, side, side);
        DieView::paintBody(p, r, body);
        DieView::paintPips(p, r, face);
    }
    return *pictures.insert(key, pm);
}

} // namespace ui
