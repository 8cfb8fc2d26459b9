// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dedicated host's options as the command line gives them. Both programs that can run a
// host alone (`bramblies --dedicated-host` and `bramblies-host`) read them the same way.

#include "app/commandline.h"
#include "app/qt/hostlisting.h"
#include "host/qt/dedicatedhost.h"

namespace app {

inline ui::DedicatedHostOptions dedicatedHostOptions(const CommandLine& line) {
    ui::DedicatedHostOptions options{line.port, line.timeScale, line.botSpeedMs};
    options.portMapping = line.portMapping;
    options.logFormat = line.logFormat;
    options.metricsAddress = QString::fromStdString(line.metricsAddress);
    options.metricsPort = line.metricsPort;
    options.agones = line.agones;
    options.idleShutdownS = line.idleShutdownS;
    options.computer =
        line.expertComputer ? core::ComputerStyle::Expert : core::ComputerStyle::Classic;
    options.holdSeconds = line.holdSeconds;
    options.addOn = ui::lobbyListing(line.lobby);
    return options;
}

} // namespace app
