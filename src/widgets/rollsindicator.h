// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rolls indicator (image_rolls): three roll boxes, as many crossed out as rolls were used
// this turn. A count outside 0..3 leaves it empty; the count itself is kept either way.
#include <QWidget>

namespace ui {

class RollsIndicator : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 66;
    static constexpr int kHeight = 22;
    static constexpr int kBoxes = 3;

    explicit RollsIndicator(QWidget* parent = nullptr);

    void setRolls(int rolls);
    int rolls() const { return m_rolls; }
    // The frame on show: 0..3 crossed boxes, or -1 when the indicator is empty.
    int shownFrame() const;

    static void paintFrame(QPainter& p, const QRectF& r, int crossed);

    QSize sizeHint() const override { return {kWidth, kHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_rolls = 0;
};

} // namespace ui
