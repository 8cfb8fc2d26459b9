// SPDX-License-Identifier: GPL-3.0-or-later
// What the lobby costs while nothing happens, and how fast a table's change travels: one
// XmppSession sits in the room of a real Prosody (started here, as in the tests) with 50 other
// occupants hosting tables, all of them in a second process, so the CPU time this process
// spends over the idle window is the session's alone. Then a second session here changes its
// table a number of times and the first one's reception is timed.
//
//   bench_lobby_idle [--seconds N] [--occupants N] [--changes N]

#include "lobby/qt/xmpp/xmppsession.h"
#include "support/qt/prosodyfixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <vector>

using namespace lobby;

namespace {

struct Watcher : SessionListener {
    void signedIn(const std::string&) override { in = true; }
    void failed(const std::string& message) override {
        std::fprintf(stderr, "failed: %s\n", message.c_str());
        QCoreApplication::exit(1);
    }
    void accountCreated() override {}
    void occupantChanged(const Occupant& occupant) override {
        if (!occupant.table) return;
        const auto table = readTable(*occupant.table);
        if (!table) return;
        tables[occupant.nick] = *table;
        if (onTable) onTable(occupant.nick, *table);
    }
    void occupantLeft(const std::string& nick) override { tables.erase(nick); }
    void chatLine(const std::string&, const std::string&) override {}

    bool in = false;
    std::map<std::string, LobbyTable> tables;
    std::function<void(const std::string&, const LobbyTable&)> onTable;
};

LobbyTable tableOf(const std::string& host, int seated) {
    LobbyTable table;
    table.host = host;
    table.address = "198.51.100.20";
    table.port = 7772;
    table.seated = seated;
    table.freeSeats = 6 - seated;
    table.version = "1.0.2";
    table.reachable = true;
    return table;
}

Account accountAt(const QStringList& where, const std::string& name) {
    Account account;
    account.server = "localhost";
    account.connectHost = "127.0.0.1";
    account.connectPort = where.value(0).toInt();
    account.caFile = where.value(1).toStdString();
    account.name = name;
    account.password = "bench";
    return account;
}

// The other process: `count` occupants that create their accounts, enter and host a table.
int runOccupants(const QStringList& args) {
    const int count = args.value(2).toInt();
    std::vector<std::unique_ptr<XmppSession>> sessions;
    std::vector<std::unique_ptr<Watcher>> listeners;
    for (int i = 0; i < count; ++i) {
        const std::string name = "bot" + std::to_string(i);
        listeners.push_back(std::make_unique<Watcher>());
        sessions.push_back(std::make_unique<XmppSession>());
        sessions.back()->setListener(listeners.back().get());
        sessions.back()->publish(Activity::Hosting, tableOf(name, i % 6));
        sessions.back()->createAccount(accountAt(args, name));
    }
    return QCoreApplication::exec();
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long contextSwitches() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    long total = 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.contains("ctxt_switches:")) total += line.split(':').value(1).trimmed().toLong();
    return total;
}

// Waits in the event loop until `done` holds or `seconds` pass.
bool waitFor(const std::function<bool()>& done, int seconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    return done();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--occupants-process")) return runOccupants(args.mid(2));
    int seconds = 20, occupants = 50, changes = 10;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--seconds") seconds = args[i + 1].toInt();
        if (args[i] == "--occupants") occupants = args[i + 1].toInt();
        if (args[i] == "--changes") changes = args[i + 1].toInt();
    }
    testsupport::ProsodyFixture server;
    if (!server.ok()) {
        std::fprintf(stderr, "prosody: %s\n", qPrintable(server.error()));
        return 1;
    }
    const QStringList where = {QString::number(server.port()), server.caFile()};
    Watcher watcher;
    XmppSession session;
    session.setListener(&watcher);
    session.createAccount(accountAt(where, "watcher"));
    QProcess others;
    others.setProcessChannelMode(QProcess::ForwardedChannels);
    others.start(app.applicationFilePath(), QStringList{"--occupants-process"} + where +
                                                QStringList{QString::number(occupants)});
    QElapsedTimer clock;
    clock.start();
    if (!waitFor([&] { return watcher.in && int(watcher.tables.size()) == occupants; }, 120)) {
        std::fprintf(stderr, "only %zu of %d tables arrived\n", watcher.tables.size(), occupants);
        return 1;
    }
    std::printf("lobby_idle: %d occupants with tables in the room after %.1f s\n", occupants,
                clock.elapsed() / 1000.0);

    // The idle window: nothing to do but wait.
    const double cpu0 = cpuSeconds();
    const long switches0 = contextSwitches();
    clock.restart();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    QCoreApplication::exec();
    const double wall = clock.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpu0;
    std::printf("lobby_idle: idle CPU %.4f s over %.1f s = %.4f %% of a core, %ld context "
                "switches\n",
                cpu, wall, 100.0 * cpu / wall, contextSwitches() - switches0);

    // A table's change, from publish() here to its arrival at the watcher.
    Watcher changerEvents;
    XmppSession changer;
    changer.setListener(&changerEvents);
    changer.createAccount(accountAt(where, "changer"));
    if (!waitFor([&] { return changerEvents.in; }, 30)) return 1;
    std::vector<double> latencies;
    for (int i = 0; i < changes; ++i) {
        const LobbyTable table = tableOf("changer", i % 7);
        QElapsedTimer sent;
        bool arrived = false;
        watcher.onTable = [&](const std::string& nick, const LobbyTable& got) {
            if (nick == "changer" && got == table && !arrived) {
                arrived = true;
                latencies.push_back(sent.nsecsElapsed() / 1e6);
            }
        };
        // Past the once-a-second pace, so each change goes out at once.
        waitFor([] { return false; }, 1); // a one-second pause with the event loop running
        sent.start();
        changer.publish(Activity::Hosting, table);
        if (!waitFor([&] { return arrived; }, 10)) return 1;
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("lobby_idle: table change to arrival over %zu changes: min %.2f ms, median %.2f "
                "ms, max %.2f ms\n",
                latencies.size(), latencies.front(), latencies[latencies.size() / 2],
                latencies.back());
    others.kill();
    others.waitForFinished();
    return 0;
}
