#pragma once
// SIGINT and SIGTERM end the program the way File > Exit does: the handler only wakes the
// event loop, which then runs the given action (closing the windows), so a hosting copy
// removes its port mapping and closes its players' connections before it ends. One object
// per process; the default handlers come back when it goes.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace ui {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~QuitSignals() override;

private:
    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace ui
