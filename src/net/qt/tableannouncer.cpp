// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt/tableannouncer.h"

#include "net/qt/netlibraries.h"

namespace ui {

TableAnnouncer::TableAnnouncer(QString serviceName, quint16 port, QObject* parent)
    : QObject(parent) {
    m_pending.setSingleShot(true);
    connect(&m_pending, &QTimer::timeout, this, &TableAnnouncer::publish);
    const NetLibraries* libraries = netLibraries();
    if (!libraries) return;
    ServiceEvents events;
    events.post = [this](std::function<void()> job) {
        QMetaObject::invokeMethod(this, std::move(job));
    };
    events.established = [this](const std::string& name) {
        emit established(QString::fromStdString(name));
    };
    m_service = libraries->announce(serviceName.toStdString(), port, std::move(events));
}

TableAnnouncer::~TableAnnouncer() = default;

void TableAnnouncer::setTable(const core::TableAnnouncement& table) {
    if (m_haveTable && table == m_table) return;
    m_table = table;
    m_haveTable = true;
    m_dirty = true;
    if (m_pending.isActive()) return;
    const qint64 since = m_sinceUpdate.isValid() ? m_sinceUpdate.elapsed() : kMinUpdateIntervalMs;
    if (since >= kMinUpdateIntervalMs)
        publish();
    else
        m_pending.start(static_cast<int>(kMinUpdateIntervalMs - since));
}

void TableAnnouncer::publish() {
    if (!m_dirty) return;
    m_dirty = false;
    m_sinceUpdate.restart();
    if (m_service) m_service->setTxt(core::toTxt(m_table));
}

} // namespace ui
