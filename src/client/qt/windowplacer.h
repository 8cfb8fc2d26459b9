// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the table window goes and where it is said to be, both by its frame: the outer
// top-left corner, title bar included (what Qt calls the window's position), and the size of
// its inside. Storing one and placing the other would move the window by the title bar's
// height at every start.
//
// A window that is up already may not have been framed by the window manager yet, so Qt
// cannot know how far the inside lies from the frame's corner; the frame's corner is handed to
// the window manager as such, which puts the frame there whenever it learns of it.
#include "chat/settings.h"

class QWidget;

namespace ui {

class WindowPlacer {
public:
    // The window's placement now: its frame's left and top, its inside's width and height.
    static core::Placement placement(const QWidget& window);
    // Puts the window there. A title bar that would lie off every screen (a screen since
    // unplugged, or a place from an older copy) comes back onto the nearest one.
    static void place(QWidget& window, const core::Placement& at);
};

} // namespace ui
