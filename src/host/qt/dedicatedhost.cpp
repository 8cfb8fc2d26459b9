#include "host/qt/dedicatedhost.h"

#include "host/logtext.h"
#include "host/qt/hostserver.h"
#include "host/qt/tablereach.h"

#include "host/sealedturns.h"
#include "host/turnengine.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace ui {

namespace {

// Signals reach the event loop through a socket pair: the handler only writes one byte.
int g_signalPipe[2] = {-1, -1};

extern "C" void onQuitSignal(int) {
    char byte = 1;
    [[maybe_unused]] auto written = ::write(g_signalPipe[0], &byte, 1);
}

void printErr(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const std::string line =
        core::logSafe(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
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
    QObject::connect(&server, &HostServer::noticeRaised, &printErr);
    QObject::connect(&server, &HostServer::statusText, &printErr);

    // Sealed dice: a fresh secret for every game.
    std::unique_ptr<core::TurnHandler> turns =
        makeTurns ? makeTurns(server) : core::makeSealedTurnEngine(server.state());
    server.setTurnHandler(turns.get());

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) {
        printErr(QStringLiteral("Cannot set up signal handling"));
        return 1;
    }
    QSocketNotifier quitNotifier(g_signalPipe[1], QSocketNotifier::Read);
    QObject::connect(&quitNotifier, &QSocketNotifier::activated, &app, [&] {
        char byte = 0;
        [[maybe_unused]] auto got = ::read(g_signalPipe[1], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

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

    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    server.setTurnHandler(nullptr);
    ::close(g_signalPipe[0]);
    ::close(g_signalPipe[1]);
    g_signalPipe[0] = g_signalPipe[1] = -1;
    return rc;
}

} // namespace ui
