// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-line notice laid over the bottom of the table window: the game host's notices to the
// hosting player ("too many rolls", ...). It never takes the focus and never waits for a
// click; it hides itself a few seconds after the last notice, or at once when clicked.

#include <QLabel>

class QTimer;

namespace ui {

class NoticeStrip : public QLabel {
    Q_OBJECT
public:
    static constexpr int kShowMs = 6000;

    explicit NoticeStrip(QWidget* parent);

    // Shows the text (replacing any earlier one) and restarts the time it stays.
    void notice(const QString& text);
    // Places the strip along the bottom of its parent.
    void reposition();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTimer* m_hideTimer;
};

} // namespace ui
