// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An icon made of PNG files, one per size, decoded each time a size is asked for and not kept.
// The window icon is one: the display keeps its own copy, so the program only needs the pixels
// for the moment a window is given them. The menu bar's overflow arrow is another: made with
// the menu bar, drawn only when the menus do not fit.
#include <QIconEngine>
#include <QList>
#include <QString>

namespace ui {

class PngSizesIconEngine : public QIconEngine {
public:
    // pathPattern holds %1 for the size; sizes ascending.
    PngSizesIconEngine(QString pathPattern, QList<int> sizes);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    // The smallest size that covers `size`, or the largest there is.
    int fileSizeFor(const QSize& size) const;

    QString m_pathPattern;
    QList<int> m_sizes;
};

} // namespace ui
