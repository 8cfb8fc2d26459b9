// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGINT and SIGTERM end the program the way it ends by itself: the handler only wakes the
// event loop, which then runs the given action (the windowed program closes its windows, so a
// hosting copy removes its port mapping and closes its players' connections; the dedicated
// host says goodbye to its table). One object per process; the default handlers come back
// when it goes.
//
// With ExitAtOnce a signal that arrives while the action of an earlier one is still under way
// ends the process there and then (exit code 128 + the signal), for an operator who will not
// wait for a graceful stop.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace ui {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    enum class Repeat { RunAgain, ExitAtOnce };

    explicit QuitSignals(std::function<void()> onSignal, QObject* parent = nullptr,
                         Repeat repeat = Repeat::RunAgain);
    ~QuitSignals() override;

private:
    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace ui
