#pragma once
// The "bramblies" presence lock: every running copy holds it for its whole life, so an outside
// program (a lobby, an installer) can tell whether the game is running. Several copies may run
// at once (local play on other ports), so the lock is shared, not exclusive: each copy attaches
// to one named shared-memory segment, and the segment exists exactly while some copy holds it.
// The program never reads it itself; failing to take it does not stop the game.
#include <QSharedMemory>
#include <QString>

namespace ui {

class PresenceLock {
public:
    static QString defaultName();  // "bramblies"

    explicit PresenceLock(const QString& name = defaultName());
    ~PresenceLock();
    PresenceLock(const PresenceLock&) = delete;
    PresenceLock& operator=(const PresenceLock&) = delete;

    bool isHeld() const { return m_memory.isAttached(); }
    QString name() const { return m_name; }

    // What an outside program would ask: is any copy holding the lock?
    static bool isHeldAnywhere(const QString& name = defaultName());

private:
    QString m_name;
    QSharedMemory m_memory;
};

}  // namespace ui
