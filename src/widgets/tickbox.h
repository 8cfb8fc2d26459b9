// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tick box picture (28 x 22): an empty box or a ticked one. It does not tick itself when
// clicked; the window that owns a group of them decides which one is ticked.
#include <QAbstractButton>

namespace ui {

class TickBox : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int kWidth = 28;
    static constexpr int kHeight = 22;

    explicit TickBox(QWidget* parent = nullptr);

    void setTicked(bool ticked);
    bool isTicked() const { return m_ticked; }

    // Picture 0 of the pair is the empty box, picture 1 the ticked one.
    static void paintBox(QPainter& p, const QRectF& r, bool ticked);
    QSize sizeHint() const override { return {kWidth, kHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_ticked = false;
};

} // namespace ui
