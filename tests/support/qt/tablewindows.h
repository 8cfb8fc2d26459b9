// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for tests that run whole table windows against a real game host on a loopback port:
// a free port, the chat as plain text, and clicks on the board's controls.

#include "host/qt/tablereach.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace ui {
class AuxWindowSet;
class HostingCopy;
class Tchat;
} // namespace ui

namespace testsupport {

// The window's other windows, attached as the program attaches them (the tally beside the
// settings file) on the first call.
ui::AuxWindowSet& auxWindows(ui::Tchat& window);
// The window's game host for when it hosts, attached as the program attaches it (the host made
// the first time the window hosts) on the first call, with the reach given then.
ui::HostingCopy& hosting(ui::Tchat& window, const ui::TableReachOptions& reach = {});

// A TCP port on 127.0.0.1 that nothing listens on right now.
quint16 freePort();

// The window's chat lines as plain text, one per line: the head and the words as shown
// with runs of spaces read as one (" You are Connected." reads "You are Connected.").
QStringList chatText(const ui::Tchat& window);
// True when some chat line of the window reads exactly text.
bool chatHas(const ui::Tchat& window, const QString& text);

// A left click in the middle of a board control found by its object name; false when the
// control is missing or hidden.
bool clickBoard(ui::Tchat& window, const QString& name);
// The visible board control's text (QLabel) by object name.
QString boardText(const ui::Tchat& window, const QString& name);
// Whether a board control is visible on the board.
bool boardShows(const ui::Tchat& window, const QString& name);

// When the environment names a folder in BRAMBLIES_SHOTS, saves the window's picture there as
// <name>.png (for looking at the table as a test plays it); otherwise does nothing.
void saveShot(QWidget& window, const QString& name);

} // namespace testsupport
