#include "app/qt/presencelock.h"

namespace ui {

QString PresenceLock::defaultName() { return QStringLiteral("bramblies"); }

PresenceLock::PresenceLock(const QString& name) : m_name(name), m_memory(name) {
    // Create it if we are the first holder; otherwise join the copies that already hold it.
    if (!m_memory.create(1) && m_memory.error() == QSharedMemory::AlreadyExists) m_memory.attach();
}

PresenceLock::~PresenceLock() {
    if (m_memory.isAttached()) m_memory.detach();
}

bool PresenceLock::isHeldAnywhere(const QString& name) {
    QSharedMemory probe(name);
    if (!probe.attach(QSharedMemory::ReadOnly)) return false;
    probe.detach();
    return true;
}

}  // namespace ui
