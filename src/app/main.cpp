// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: the command line is checked first (a fault ends the program with exit code 2
// before any window or socket exists; --help and --version print and end), then the dedicated
// host when asked for (it needs no display), otherwise the previous-instance check, the windows
// created once in their order, and the event loop. Closing the table window ends the program.
#include "app/buildinfo.h"
#include "app/commandline.h"
#include "app/qt/appidentity.h"
#include "app/qt/appstyle.h"
#include "app/qt/dedicatedhostoptions.h"
#include "app/qt/fontwarmup.h"
#include "app/qt/instanceguard.h"
#include "app/qt/startup.h"
#include "app/qt/tablewindows.h"
#include "app/qt/windowset.h"
#include "host/qt/quitsignals.h"

#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const auto commandLine = app::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!commandLine.error.empty()) {
        std::fprintf(stderr, "bramblies: %s\n", commandLine.error.c_str());
        return 2;
    }
    if (commandLine.help) {
        std::fputs(app::usageText("bramblies").c_str(), stdout);
        return 0;
    }
    if (commandLine.version) {
        std::printf("bramblies %s\n", app::kProgramVersion);
        return 0;
    }
    if (commandLine.dedicatedHost)
        return ui::runDedicatedHost(app::dedicatedHostOptions(commandLine), argc, argv);

    ui::FontWarmUp fonts; // on a second core while the application connects to the display
    QApplication application(argc, argv);
    // No application display name: the platform would append it to every window's caption.
    ui::applyAppIdentity();
    ui::AppStyle::install();
    ui::WindowSet windows;
    ui::addTableCreators(windows, ui::tchatOptions(commandLine), ui::tableReach(commandLine));
    ui::Startup startup(application.arguments());
    // On a private game port several copies share one machine: the hosting player's and
    // those joining it. Each player name then gets its own instance, so only a second copy
    // of the same player is sent back to the first.
    if (commandLine.port != app::CommandLine::kDefaultPort && !commandLine.positional.empty())
        startup.setInstanceName(ui::InstanceGuard::nameForPlayer(
            commandLine.port, QString::fromStdString(commandLine.positional.front())));
    // SIGINT/SIGTERM close the windows as File > Exit would (a hosting copy removes its
    // port mapping on the way out).
    ui::QuitSignals quitSignals([] { QApplication::closeAllWindows(); });
    fonts.wait(); // the windows measure their texts as they are built
    return startup.run(application, windows);
}
