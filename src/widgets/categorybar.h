// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A category bar (image_spacer1..image_spacer7): the band that runs from a category button
// to the score column of the seat on turn. Its width changes with the seat; at its idle width
// it is a stub. Clickable like the button it belongs to.
#include "widgets/categorytile.h"

namespace ui {

class CategoryBar : public CategoryTile {
    Q_OBJECT
public:
    static constexpr int kIdleWidth = 11;
    static constexpr int kHeight = 20;

    explicit CategoryBar(int category, QWidget* parent = nullptr);

    // Changes only the width, keeping the left edge and the height.
    void setBarWidth(int width);

    static void paintBar(QPainter& p, const QRectF& r, bool lit);
    QSize sizeHint() const override { return {kIdleWidth, kHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
