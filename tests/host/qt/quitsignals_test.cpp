// SPDX-License-Identifier: GPL-3.0-or-later
// SIGINT and SIGTERM reach the event loop as the quit action, each time, and only while the
// object lives.
#include "host/qt/quitsignals.h"

#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class QuitSignalsTest : public QObject {
    Q_OBJECT
private slots:
    void signalsRunTheAction() {
        int runs = 0;
        {
            ui::QuitSignals quit([&] { ++runs; });
            std::raise(SIGTERM);
            QTRY_COMPARE(runs, 1);
            std::raise(SIGINT);
            QTRY_COMPARE(runs, 2);
        }
        // Gone: the default handling is back.
        struct sigaction now {};
        sigaction(SIGTERM, nullptr, &now);
        QVERIFY(now.sa_handler == SIG_DFL);
    }

    // An operator's second signal, while the first one's action is still under way, ends the
    // process at once.
    void aRepeatedSignalCanEndTheProcessAtOnce() {
        const pid_t child = ::fork();
        if (child == 0) {
            ui::QuitSignals quit([] {}, nullptr, ui::QuitSignals::Repeat::ExitAtOnce);
            std::raise(SIGTERM);
            std::raise(SIGTERM);
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 128 + SIGTERM);
    }
};

QTEST_GUILESS_MAIN(QuitSignalsTest)
#include "quitsignals_test.moc"
