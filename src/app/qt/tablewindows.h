// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table window and the windows it drives, registered with the window set: the table window
// (with its AuxWindowSet, which reads the tally) and the game host made at start-up in that
// order, the host handed to the table through a HostingCopy (which also owns its turn engine
// and its reach); the help, about, solo, download, game options, spectator, phrase and tally
// windows made the first time they are shown or looked up.
//
//   ui::WindowSet windows;
//   ui::addTableCreators(windows, ui::tchatOptions(commandLine), ui::tableReach(commandLine));
//   ui::Startup(app.arguments()).run(app, windows);

#include "app/commandline.h"
#include "client/qt/tchat.h"
#include "host/qt/tablereach.h"

namespace ui {

class WindowSet;

// The table window's start values from the command line.
TchatOptions tchatOptions(const app::CommandLine& line);

// Port mapping and announcement of a table hosted from the command line (not of solo play).
TableReachOptions tableReach(const app::CommandLine& line);

// Registers every creator. The reach is off unless asked for: the program turns it on.
void addTableCreators(WindowSet& windows, const TchatOptions& options,
                      const TableReachOptions& reach = {});

} // namespace ui
