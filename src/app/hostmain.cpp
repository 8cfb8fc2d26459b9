// SPDX-License-Identifier: GPL-3.0-or-later
// bramblies-host: the dedicated game host on its own, linking QtCore and QtNetwork only, for
// servers and containers without display libraries. It takes the options of
// `bramblies --dedicated-host` (which stays) and no positional parameters.
#include "app/buildinfo.h"
#include "app/commandline.h"
#include "app/qt/dedicatedhostoptions.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const char* const program = "bramblies-host";
    auto commandLine = app::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (commandLine.error.empty() && !commandLine.help && !commandLine.version &&
        !commandLine.positional.empty())
        commandLine.error =
            "unexpected argument '" + commandLine.positional.front() + "' (see --help)";
    if (!commandLine.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", program, commandLine.error.c_str());
        return 2;
    }
    if (commandLine.help) {
        std::fputs(app::hostUsageText(program).c_str(), stdout);
        return 0;
    }
    if (commandLine.version) {
        std::printf("%s %s\n", program, app::kProgramVersion);
        return 0;
    }
    return ui::runDedicatedHost(app::dedicatedHostOptions(commandLine), argc, argv);
}
