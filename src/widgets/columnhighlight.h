// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The column highlight (image_scoreturn): a soft gold glow laid over the score column of the
// seat on turn. It takes no mouse input, so the cells under it stay reachable.
#include <QWidget>

namespace ui {

class ColumnHighlight : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 42;

    explicit ColumnHighlight(QWidget* parent = nullptr);

    static void paintHighlight(QPainter& p, const QRectF& r);
    QSize sizeHint() const override { return {kWidth, 180}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
