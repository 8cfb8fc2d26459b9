#pragma once
// The table window and the windows it drives, registered in the start-up order: the table
// window first, then the game host and the game options window, each attached to the table
// window as it is created. Windows of later work join here as they are written.
//
//   ui::WindowSet windows;
//   ui::addTableCreators(windows, ui::tchatOptions(commandLine));
//   ui::Startup(app.arguments()).run(app, windows);

#include "app/commandline.h"
#include "client/qt/tchat.h"

namespace ui {

class WindowSet;

// The table window's start values from the command line.
TchatOptions tchatOptions(const app::CommandLine& line);

// Registers every creator (the default ones of the window set included).
void addTableCreators(WindowSet& windows, const TchatOptions& options);

} // namespace ui
