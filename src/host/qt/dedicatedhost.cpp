// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/qt/dedicatedhost.h"

#include "host/hostmetrics.h"
#include "host/logtext.h"
#include "host/qt/agonesclient.h"
#include "host/qt/hostserver.h"
#include "host/qt/metricsserver.h"
#include "host/qt/quitsignals.h"
#include "host/qt/tablereach.h"

#include "host/sealedturns.h"
#include "host/turnengine.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace ui {

namespace {

// A graceful stop takes no longer than this, even with peers that do not take their last lines.
constexpr int kShutDownLimitMs = 8000;

void printErr(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

// Serves /metrics when asked to; false (and logged) when its port cannot be had.
bool serveMetrics(const DedicatedHostOptions& options, HostServer& server,
                  core::HostMetrics& metrics, std::unique_ptr<MetricsServer>& metricsServer,
                  core::OperatorLog& log) {
    if (options.metricsPort < 0) return true;
    server.state().addWatcher(&metrics);
    server.setMetrics(&metrics);
    metricsServer =
        std::make_unique<MetricsServer>([&] { return metrics.exposition(server.gameHost()); });
    const QHostAddress address(options.metricsAddress);
    if (!metricsServer->listen(address, static_cast<quint16>(options.metricsPort))) {
        log.error("cannot serve metrics on " + options.metricsAddress.toStdString() + " port " +
                  std::to_string(options.metricsPort) + ": " +
                  metricsServer->errorString().toStdString());
        return false;
    }
    // Built by appending: GCC 12 mistakes "literal" + string&& for an overlapping copy.
    std::string where = "metrics at http://";
    const bool v6 = address.protocol() == QAbstractSocket::IPv6Protocol;
    if (v6) where += '[';
    where += options.metricsAddress.toStdString();
    if (v6) where += ']';
    where += ':';
    where += std::to_string(metricsServer->serverPort());
    where += "/metrics";
    log.notice(where);
    return true;
}

// Once the host listens: the Agones client, the reach and the add-on, until the program ends.
int serveUntilQuit(const DedicatedHostOptions& options, QCoreApplication& app, HostServer& server,
                   core::OperatorLog& log) {
    std::unique_ptr<AgonesClient> agones;
    if (options.agones) {
        AgonesOptions agonesOptions;
        agonesOptions.sdkPort = AgonesOptions::sdkPortFromEnvironment();
        agonesOptions.idleShutdownMs = options.idleShutdownS * 1000;
        agones = std::make_unique<AgonesClient>(server, agonesOptions,
                                                [&log](const std::string& l) { log.notice(l); });
        agones->start();
    }
    // Port mapping only when asked for; the table is announced where Avahi runs.
    TableReach reach(server, {options.portMapping, true, {}});
    QObject::connect(&reach, &TableReach::reported,
                     [&log](const QString& text) { log.notice(text.toStdString()); });
    std::unique_ptr<QObject> addOn;
    if (options.addOn)
        addOn = options.addOn(
            {server, reach, agones.get(), [&log](const std::string& line) { log.notice(line); }});
    reach.start();
    const int rc = app.exec();
    addOn.reset();
    reach.stop();
    return rc;
}

} // namespace

int runDedicatedHost(const DedicatedHostOptions& options, int argc, char** argv,
                     const TurnHandlerFactory& makeTurns) {
    QCoreApplication app(argc, argv);

    HostServer server;
    server.setTimeScale(options.timeScale);
    const int botSpeed = options.botSpeedMs;
    server.setBotSpeedProvider([botSpeed] { return botSpeed; });
    const core::ComputerStyle computer = options.computer;
    server.setComputerStyleProvider([computer] { return computer; });
    server.gameHost().setHoldSeconds(options.holdSeconds);
    core::OperatorLog log(options.logFormat, &printErr);
    server.state().addWatcher(&log);
    QObject::connect(&server, &HostServer::noticeRaised,
                     [&log](const QString& text) { log.notice(text.toStdString()); });

    // Sealed dice: a fresh secret for every game.
    std::unique_ptr<core::TurnHandler> turns =
        makeTurns ? makeTurns(server) : core::makeSealedTurnEngine(server.state());
    server.setTurnHandler(turns.get());

    // SIGTERM (or SIGINT): say goodbye, let the last lines go out, then end with 0; a second
    // signal meanwhile ends the program at once.
    QuitSignals quitSignals(
        [&] {
            if (!server.isListening() && !server.isShuttingDown()) {
                QCoreApplication::quit();
                return;
            }
            log.shuttingDown();
            server.shutDown();
            QTimer::singleShot(kShutDownLimitMs, &app, [] { QCoreApplication::exit(0); });
        },
        nullptr, QuitSignals::Repeat::ExitAtOnce);
    QObject::connect(&server, &HostServer::shutDownComplete, &app,
                     [] { QCoreApplication::exit(0); });

    int rc = 1;
    core::HostMetrics metrics;
    std::unique_ptr<MetricsServer> metricsServer;
    QString listenError;
    QObject::connect(&server, &HostServer::statusText,
                     [&listenError](const QString& text) { listenError = text; });
    if (!server.listen(static_cast<quint16>(options.port))) {
        log.error(listenError.toStdString());
    } else {
        std::printf("Bramblies dedicated host listening on port %u\n",
                    static_cast<unsigned>(server.serverPort()));
        std::fflush(stdout);
        log.listening(server.serverPort());
        if (!serveMetrics(options, server, metrics, metricsServer, log)) {
            server.setTurnHandler(nullptr);
            server.state().removeWatcher(&log);
            return 1;
        }
        rc = serveUntilQuit(options, app, server, log);
    }

    server.setTurnHandler(nullptr);
    server.state().removeWatcher(&log);
    server.state().removeWatcher(&metrics);
    server.setMetrics(nullptr);
    return rc;
}

} // namespace ui
