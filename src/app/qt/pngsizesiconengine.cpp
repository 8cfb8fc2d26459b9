// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/pngsizesiconengine.h"

#include "widgets/pngpicture.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace ui {

PngSizesIconEngine::PngSizesIconEngine(QString pathPattern, QList<int> sizes)
    : m_pathPattern(std::move(pathPattern)), m_sizes(std::move(sizes)) {}

int PngSizesIconEngine::fileSizeFor(const QSize& size) const {
    const int wanted = std::max(size.width(), size.height());
    for (int s : m_sizes)
        if (s >= wanted) return s;
    return m_sizes.isEmpty() ? 0 : m_sizes.last();
}

QSize PngSizesIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    const int s = fileSizeFor(size);
    if (s == 0) return {};
    return QSize(s, s).scaled(size, Qt::KeepAspectRatio).boundedTo(QSize(s, s));
}

QPixmap PngSizesIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    const int s = fileSizeFor(size);
    if (s == 0) return {};
    QPixmap pm = PngPicture::pixmap(m_pathPattern.arg(s));
    const QSize actual = actualSize(size, mode, state);
    if (!pm.isNull() && pm.size() != actual)
        pm = pm.scaled(actual, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (mode != QIcon::Normal && mode != QIcon::Active && qobject_cast<QApplication*>(qApp)) {
        QStyleOption option;
        option.palette = QApplication::palette();
        pm = QApplication::style()->generatedIconPixmap(mode, pm, &option);
    }
    return pm;
}

void PngSizesIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                               QIcon::State state) {
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap pm = pixmap(rect.size() * dpr, mode, state);
    if (pm.isNull()) return;
    pm.setDevicePixelRatio(dpr);
    const QSizeF shown = pm.deviceIndependentSize();
    painter->drawPixmap(QPointF(rect.x() + (rect.width() - shown.width()) / 2,
                                rect.y() + (rect.height() - shown.height()) / 2),
                        pm);
}

QList<QSize> PngSizesIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    QList<QSize> sizes;
    for (int s : m_sizes)
        sizes << QSize(s, s);
    return sizes;
}

QIconEngine* PngSizesIconEngine::clone() const {
    return new PngSizesIconEngine(m_pathPattern, m_sizes);
}

QString PngSizesIconEngine::key() const {
    return QStringLiteral("PngSizesIconEngine");
}

bool PngSizesIconEngine::isNull() {
    return m_sizes.isEmpty();
}

} // namespace ui
