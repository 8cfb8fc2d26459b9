#pragma once
// The Hint on the board: a note in the tooltip colours laid over the header just above the dice
// tray, as wide as the tray, so the dice it raises stay in sight. Click it to close it; the
// coach closes it when the dice or the turn move on.

#include <QLabel>

namespace ui {

class HintBubble : public QLabel {
    Q_OBJECT
public:
    explicit HintBubble(QWidget* board);

    // Shows `text` with its lower edge just above `above` (board coordinates), spanning it.
    void showAbove(const QRect& above, const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace ui
