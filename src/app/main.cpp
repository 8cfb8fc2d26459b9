// Program entry: the dedicated host when asked for (it needs no display), otherwise the
// previous-instance check, the windows created once in their order, and the event loop.
// Closing the table window ends the program.
#include "app/qt/instanceguard.h"
#include "app/qt/startup.h"
#include "app/qt/tablewindows.h"
#include "app/qt/windowset.h"
#include "client/commandline.h"
#include "host/qt/dedicatedhost.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char** argv) {
    const auto commandLine =
        core::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (commandLine.dedicatedHost) return ui::runDedicatedHost(commandLine, argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(ui::Tchat::kCaption);
    ui::WindowSet windows;
    ui::addTableCreators(windows, ui::tchatOptions(commandLine));
    ui::Startup startup(app.arguments());
    // On a private game port several copies share one machine: the hosting player's and
    // those joining it. Each player name then gets its own instance, so only a second copy
    // of the same player is sent back to the first.
    if (commandLine.port != core::CommandLine::kDefaultPort && !commandLine.positional.empty())
        startup.setInstanceName(ui::InstanceGuard::nameForPlayer(
            commandLine.port, QString::fromStdString(commandLine.positional.front())));
    return startup.run(app, windows);
}
