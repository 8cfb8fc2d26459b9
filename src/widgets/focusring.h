// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The visible keyboard focus of the board's painted controls (dice, category tiles, the Roll
// and Start buttons): a ring drawn around whichever of them has the focus, on a see-through
// layer of its own, so the controls keep painting only themselves. The ring is blue with a
// white core, which reads on the red dice, the cream sheet and the green tray alike.
#include <QPointer>
#include <QWidget>

#include <vector>

namespace ui {

class FocusRing : public QWidget {
    Q_OBJECT
public:
    explicit FocusRing(QWidget* parent);

    // Controls the ring follows when they take the focus; they must share the ring's parent.
    void addTarget(QWidget* target);
    QWidget* target() const { return m_target; }

    // The ring's look, for anything that draws its own focus (the score sheet's cursor).
    static void paint(QPainter& p, const QRectF& around);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void focusChanged(QWidget* now);
    void follow();

    std::vector<QWidget*> m_targets;
    QPointer<QWidget> m_target;
};

} // namespace ui
