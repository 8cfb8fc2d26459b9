// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "bramblies" presence lock: every running copy holds it for its whole life, so an outside
// program (a lobby, an installer) can tell whether the game is running. Several copies may run
// at once (local play on other ports), so the lock is shared, not exclusive.
//
// On Unix it is a shared flock() on a file named after the lock in the temp folder: any number
// of copies hold it together, the kernel drops it when a copy ends, crashes included, and a
// tester asks for the exclusive lock without waiting: refused means some copy is running.
// Elsewhere a named shared-memory segment plays the same part.
// The program never reads the lock itself; failing to take it does not stop the game.
#include <QString>
#include <memory>

namespace ui {

class PresenceLock {
public:
    static QString defaultName(); // "bramblies"

    explicit PresenceLock(const QString& name = defaultName());
    ~PresenceLock();
    PresenceLock(const PresenceLock&) = delete;
    PresenceLock& operator=(const PresenceLock&) = delete;

    bool isHeld() const;
    QString name() const { return m_name; }

    // What an outside program would ask: is any copy holding the lock?
    static bool isHeldAnywhere(const QString& name = defaultName());

private:
    struct Handle;
    QString m_name;
    std::unique_ptr<Handle> m_handle;
};

} // namespace ui
