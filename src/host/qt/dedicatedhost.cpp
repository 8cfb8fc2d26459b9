#include "host/qt/dedicatedhost.h"

#include "app/commandline.h"
#include "host/logtext.h"
#include "host/qt/hostserver.h"
#include "host/qt/quitsignals.h"
#include "host/qt/tablereach.h"

#include "host/turnengine.h"

#include <QCoreApplication>

#include <cstdio>

namespace ui {

namespace {

void printErr(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const std::string line =
        core::logSafe(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

} // namespace

DedicatedHostOptions DedicatedHostOptions::fromCommandLine(const app::CommandLine& line) {
    DedicatedHostOptions options{line.port, line.timeScale, line.botSpeedMs};
    options.portMapping = line.portMapping;
    options.computer =
        line.expertComputer ? core::ComputerStyle::Expert : core::ComputerStyle::Classic;
    return options;
}

int runDedicatedHost(const DedicatedHostOptions& options, int argc, char** argv,
                     const TurnHandlerFactory& makeTurns) {
    QCoreApplication app(argc, argv);

    HostServer server;
    server.setTimeScale(options.timeScale);
    const int botSpeed = options.botSpeedMs;
    server.setBotSpeedProvider([botSpeed] { return botSpeed; });
    const core::ComputerStyle computer = options.computer;
    server.setComputerStyleProvider([computer] { return computer; });
    QObject::connect(&server, &HostServer::noticeRaised, &printErr);
    QObject::connect(&server, &HostServer::statusText, &printErr);

    // Dice seeded differently on every start.
    std::unique_ptr<core::TurnHandler> turns =
        makeTurns ? makeTurns(server) : core::makeTurnEngine(server.state(), core::startupSeed());
    server.setTurnHandler(turns.get());

    QuitSignals quitSignals([] { QCoreApplication::quit(); });

    int rc = 1;
    if (server.listen(static_cast<quint16>(options.port))) {
        std::printf("Bramblies dedicated host listening on port %u\n",
                    static_cast<unsigned>(server.serverPort()));
        std::fflush(stdout);
        // Port mapping only when asked for; the table is announced where Avahi runs.
        TableReach reach(server, {options.portMapping, true, {}});
        QObject::connect(&reach, &TableReach::reported, &printErr);
        reach.start();
        rc = app.exec();
        reach.stop();
    }

    server.setTurnHandler(nullptr);
    return rc;
}

} // namespace ui
