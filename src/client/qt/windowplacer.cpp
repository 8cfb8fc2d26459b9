// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/windowplacer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace ui {

namespace {

// How much of the title bar must stay on a screen to grab it: its height, and a width that
// leaves room for the window's menu button.
constexpr int kTitleHeight = 24;
constexpr int kTitleGrip = 100;

QPoint reachable(QPoint frame, int width) {
    // A point well inside the title bar: if a screen shows it, the bar can be grabbed.
    const QPoint grip = frame + QPoint(std::min(width / 2, kTitleGrip), kTitleHeight / 2);
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty() || std::any_of(screens.begin(), screens.end(), [grip](QScreen* s) {
            return s->availableGeometry().contains(grip);
        }))
        return frame;
    QScreen* nearest = QGuiApplication::primaryScreen();
    int distance = -1;
    for (QScreen* s : screens) {
        const QRect area = s->availableGeometry();
        const QPoint inside(std::clamp(grip.x(), area.left(), area.right()),
                            std::clamp(grip.y(), area.top(), area.bottom()));
        const int d = (inside - grip).manhattanLength();
        if (distance < 0 || d < distance) {
            distance = d;
            nearest = s;
        }
    }
    const QRect area = nearest->availableGeometry();
    const int minLeft = area.left() - std::max(0, width - kTitleGrip);
    const int maxLeft = std::max(minLeft, area.right() - kTitleGrip);
    const int maxTop = std::max(area.top(), area.bottom() - kTitleHeight);
    return {std::clamp(frame.x(), minLeft, maxLeft), std::clamp(frame.y(), area.top(), maxTop)};
}

} // namespace

core::Placement WindowPlacer::placement(const QWidget& window) {
    core::Placement p;
    p.left = window.pos().x(); // the frame's corner
    p.top = window.pos().y();
    p.width = window.width();
    p.height = window.height();
    return p;
}

void WindowPlacer::place(QWidget& window, const core::Placement& at) {
    // The size first: a resize afterwards would hand the inside's place on again.
    window.resize(at.width, at.height);
    const QPoint frame = reachable(QPoint(at.left, at.top), window.width());
    QWindow* handle = window.windowHandle();
    if (handle && window.testAttribute(Qt::WA_WState_Created))
        handle->setFramePosition(frame);
    else
        window.move(frame); // before it is made, a move places the frame as well
}

} // namespace ui
