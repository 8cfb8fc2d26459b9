// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's start-up, up to the event loop: the previous-instance check (a second copy
// asks the first to come forward and ends without a window), the "bramblies" presence lock
// held for the life of the process, the windows created once in their order, and the table
// window shown. Closing the table window ends the event loop.
//
//   QApplication app(argc, argv);
//   ui::WindowSet windows;
//   windows.setCreator(ui::WindowSet::Role::Table, [](ui::WindowSet&) { return new Tchat; });
//   windows.addDefaultCreators();
//   ui::Startup startup(app.arguments());
//   return startup.run(app, windows);
#include <QObject>
#include <QStringList>
#include <memory>

class QApplication;

namespace ui {

class InstanceGuard;
class PresenceLock;
class WindowSet;

class Startup : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Started, AnotherCopyRunning, NoTableWindow };

    // The instance name follows "--port" in the arguments.
    explicit Startup(const QStringList& arguments, QObject* parent = nullptr);
    ~Startup() override;

    void setInstanceName(const QString& name) { m_instanceName = name; }
    QString instanceName() const { return m_instanceName; }
    void setLockName(const QString& name) { m_lockName = name; }

    // Everything before the event loop. Started: the table window is shown and raise requests
    // from later copies bring it forward.
    Outcome begin(WindowSet& windows);
    // begin(), then the event loop; a copy that finds another one running returns 0 at once.
    int run(QApplication& app, WindowSet& windows);

    InstanceGuard* guard() const { return m_guard.get(); }
    PresenceLock* lock() const { return m_lock.get(); }

private:
    QString m_instanceName;
    QString m_lockName;
    std::unique_ptr<InstanceGuard> m_guard;
    std::unique_ptr<PresenceLock> m_lock;
};

} // namespace ui
