// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A category button (image_button1..image_button7) left of the score sheet: a small die
// showing the face for ones to sixes, a rising staircase for the Bramble (the straight).
// While selectable it lights up under the mouse and shows the pointing hand; the board
// decides what a click does.
#include "widgets/categorytile.h"

namespace ui {

class CategoryButton : public CategoryTile {
    Q_OBJECT
public:
    static constexpr int kBramble = 7;

    explicit CategoryButton(int category, QWidget* parent = nullptr);

    static void paintCategory(QPainter& p, const QRectF& r, int category, bool lit);
    QSize sizeHint() const override { return {40, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
