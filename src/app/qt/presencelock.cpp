// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/presencelock.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#else
#include <QSharedMemory>
#endif

namespace ui {

QString PresenceLock::defaultName() {
    return QStringLiteral("bramblies");
}

#ifdef Q_OS_UNIX

namespace {

QByteArray lockPath(const QString& name) {
    return QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + name + QStringLiteral(".lock"));
}

} // namespace

struct PresenceLock::Handle {
    int fd = -1;
};

PresenceLock::PresenceLock(const QString& name)
    : m_name(name), m_handle(std::make_unique<Handle>()) {
    const int fd = ::open(lockPath(name).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    // A tester holds the exclusive lock only for a moment; try a few times rather than wait
    // on it without end.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
            m_handle->fd = fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::close(fd);
}

PresenceLock::~PresenceLock() {
    if (m_handle->fd >= 0) ::close(m_handle->fd); // closing drops the lock
}

bool PresenceLock::isHeld() const {
    return m_handle->fd >= 0;
}

bool PresenceLock::isHeldAnywhere(const QString& name) {
    const int fd = ::open(lockPath(name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

#else

struct PresenceLock::Handle {
    explicit Handle(const QString& name) : memory(name) {}
    QSharedMemory memory;
};

PresenceLock::PresenceLock(const QString& name)
    : m_name(name), m_handle(std::make_unique<Handle>(name)) {
    QSharedMemory& m = m_handle->memory;
    if (!m.create(1) && m.error() == QSharedMemory::AlreadyExists) m.attach();
}

PresenceLock::~PresenceLock() {
    if (m_handle->memory.isAttached()) m_handle->memory.detach();
}

bool PresenceLock::isHeld() const {
    return m_handle->memory.isAttached();
}

bool PresenceLock::isHeldAnywhere(const QString& name) {
    QSharedMemory probe(name);
    if (!probe.attach(QSharedMemory::ReadOnly)) return false;
    probe.detach();
    return true;
}

#endif

} // namespace ui
