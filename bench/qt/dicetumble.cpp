// SPDX-License-Identifier: GPL-3.0-or-later
// CPU the table window spends while a human player thinks: a hosting window against the
// computer, on the player's own turn before the first roll, with the dice tumbling. The figure
// is the process's own user + system time over the measuring period as a share of one core.
//
//   bench_dicetumble [SECONDS]   (default 20; wants a display, e.g. Xvfb)
//
// The line beginning "FIGURE" carries the number for bench/run.sh.

#include "app/qt/hostingcopy.h"
#include "client/qt/boardview.h"
#include "client/qt/diceanimation.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "windows/tgamestart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

bool waitFor(const std::function<bool()>& done, int ms = 20000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    QApplication app(argc, argv);
    ui::TchatOptions options;
    options.params = {"You", "127.0.0.1", "true"};
    options.port = freePort();
    ui::Tchat table(options);
    new ui::HostingCopy(table); // the game host beside the window, as the program has it
    table.setMessageBox(
        [](const QString& text) { std::fprintf(stderr, "message box: %s\n", qPrintable(text)); });
    table.show();
    core::TableClient& client = table.client();
    if (!waitFor([&] { return client.loggedin(); })) {
        std::fprintf(stderr, "the window did not log in to its own host\n");
        return 1;
    }
    client.button_startClick();
    client.sendStartGame(0); // the game options window's Start with no bonus limit
    if (!waitFor([&] {
            return client.turnseat() == client.myslot() && table.diceAnimation()->running();
        })) {
        std::fprintf(stderr, "no turn with tumbling dice came\n");
        return 1;
    }
    waitFor([] { return false; }, 1000); // let the first frames settle

    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // The period ends before quitting: quit() closes the windows first, and the table's
    // closing (settings, tally, the host) is no part of a player's thinking time.
    double cpu = 0;
    double elapsed = 0;
    bool stillTumbling = false;
    QTimer::singleShot(seconds * 1000, &app, [&] {
        cpu = cpuSeconds() - cpu0;
        elapsed = double(wall.nsecsElapsed()) / 1e9;
        stillTumbling = table.diceAnimation()->running();
        QCoreApplication::quit();
    });
    app.exec();
    const double share = 100.0 * cpu / elapsed;
    std::printf("table window, human's turn before the first roll: %.2f %% of a core over %d s%s\n",
                share, seconds, stillTumbling ? "" : " (the dice stopped tumbling!)");
    std::printf("FIGURE tumble_cpu_percent %.3f\n", share);
    return stillTumbling ? 0 : 1;
}
