// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The visible keyboard focus of the board's painted controls (dice, category tiles, the Roll
// and Start buttons): a ring drawn around whichever of them has the focus, on a see-through
// layer of its own, so the controls keep painting only themselves. The ring is blue with a
// white core, which reads on the red dice, the cream sheet and the green tray alike.
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

namespace ui {

class FocusRing : public QWidget {
    Q_OBJECT
public:
    explicit FocusRing(QWidget* parent);

    // Controls the ring follows when they take the focus; the ring's parent must hold them
    // (with room around them for the ring, or it is clipped).
    void addTarget(QWidget* target);
    QWidget* target() const { return m_target; }
    // Whether a focused control is really on view (a blank die, a die under a panel is not);
    // without a test, every visible one is.
    void setShownTest(std::function<bool(const QWidget*)> test) { m_shown = std::move(test); }
    // Call when what the test answers may have changed.
    void refresh() { follow(); }

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
    std::function<bool(const QWidget*)> m_shown;
};

} // namespace ui
