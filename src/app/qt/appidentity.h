// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the desktop knows the program by: the application id that names its desktop entry
// (so the taskbar matches windows to the launcher), the version, and the window icon every
// window shows. Called once after the application object exists.

namespace ui {

void applyAppIdentity();
// The window icon in the sizes a window manager draws. Decoding them is not needed for the first
// picture of the table window, so the program sets it once that is on the screen.
void applyWindowIcon();

} // namespace ui
