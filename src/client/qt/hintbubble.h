// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Hint on the board: a note in the tooltip colours just below the dice tray, as wide as the
// row of dice, so the dice it raises, the status line and Roll stay in sight. Click it, or press
// Escape or H, to close it; the coach closes it when the dice or the turn move on.

#include <QLabel>

namespace ui {

class HintBubble : public QLabel {
    Q_OBJECT
public:
    explicit HintBubble(QWidget* board);

    // Shows `text` filling `area` (board coordinates), taller downwards when the text needs
    // it, in letters grown with the board (`scale` 1 at its design size).
    void showIn(const QRect& area, const QString& text, qreal scale);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace ui
