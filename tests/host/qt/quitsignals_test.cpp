// SIGINT and SIGTERM reach the event loop as the quit action, each time, and only while the
// object lives.
#include "host/qt/quitsignals.h"

#include <QtTest>

#include <csignal>

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
};

QTEST_GUILESS_MAIN(QuitSignalsTest)
#include "quitsignals_test.moc"
