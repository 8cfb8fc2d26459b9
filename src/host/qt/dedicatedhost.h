// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game host without a window: `bramblies --dedicated-host [--port N] [--bot-speed MS]
// [--time-scale F] [--port-mapping] [--computer classic|expert]`, or the same options to
// `bramblies-host`, which links no display libraries at all. Needs no display. The first
// client to connect gets slot 1 and the hosting player's rights. It announces its table where
// Avahi runs and, with --port-mapping, logs the router's answer. Prints one line once it
// listens; its log (see OperatorLog) goes to standard error. Ends cleanly on SIGINT or SIGTERM.
// What else the program runs beside the host (its listing in an internet lobby) comes in as
// an add-on, made once the host listens and gone before the host.

#include "game/computerstyle.h"
#include "host/operatorlog.h"
#include "host/turnhandler.h"
#include "net/protocol.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

namespace ui {

class AgonesClient;
class HostServer;
class TableReach;

// What an add-on running beside the dedicated host may follow: the table, the port mapping's
// outcome (connect before the mapping starts), the Agones GameServer record, and the log.
struct HostSurroundings {
    HostServer& server;
    TableReach& reach;
    AgonesClient* agones; // null without --agones
    std::function<void(const std::string& line)> log;
};
using HostAddOn = std::function<std::unique_ptr<QObject>(const HostSurroundings& host)>;

// Builds the turn handler for a host; by default the program's turn engine plays the games.
using TurnHandlerFactory = std::function<std::unique_ptr<core::TurnHandler>(HostServer&)>;

struct DedicatedHostOptions {
    int port;                 // 0 lets the system choose
    double timeScale;         // divides the game timer's intervals
    int botSpeedMs;           // computer move delay
    bool portMapping = false; // ask the home router to forward the port
    core::ComputerStyle computer = core::ComputerStyle::Classic;
    int holdSeconds = core::kDefaultHoldSeconds; // a dropped player's seat waits (0: no)
    core::LogFormat logFormat = core::LogFormat::Text;
    QString metricsAddress{}; // with metricsPort >= 0: serve /metrics there
    int metricsPort = -1;
    bool agones = false;   // talk to the Agones SDK sidecar
    int idleShutdownS = 0; // with agones: shut down after this long empty
    HostAddOn addOn{};     // none by default
};

int runDedicatedHost(const DedicatedHostOptions& options, int argc, char** argv,
                     const TurnHandlerFactory& makeTurns = {});

} // namespace ui
