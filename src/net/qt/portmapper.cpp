// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt/portmapper.h"

#include "net/mappingreport.h"
#include "net/qt/netlibraries.h"

#include <QTimer>

#include <memory>

namespace ui {

// Lives on the mapper's thread; every call into the router libraries happens here.
class PortMapper::Worker : public QObject {
public:
    Worker(PortMapper* owner, PortMappingConfig config)
        : m_owner(owner), m_config(std::move(config)) {}

    void open(int port) {
        using Kind = core::MappingOutcome::Kind;
        const NetLibraries* libraries = netLibraries();
        core::MappingOutcome outcome{libraries ? Kind::NoAnswer : Kind::Missing, {}, 0, {}};
        if (libraries && m_config.useUpnp) {
            m_upnp = libraries->upnp(m_config);
            outcome = m_upnp->open(port);
            if (outcome.kind != Kind::Mapped) m_upnp.reset();
        }
        if (libraries && outcome.kind == Kind::NoAnswer && m_config.useNatpmp) {
            m_natpmp = libraries->natpmp(m_config);
            outcome = m_natpmp->open(port);
            if (outcome.kind != Kind::Mapped) m_natpmp.reset();
        }
        emit m_owner->reported(QString::fromStdString(core::mappingReport(outcome, port)));
        emit m_owner->settled(outcome);
        scheduleRenewal();
    }

    void close() {
        if (m_renewal) m_renewal->stop();
        m_upnp.reset(); // each removes its mapping as it goes
        m_natpmp.reset();
    }

private:
    void scheduleRenewal() {
        const RouterMapping* mapping = m_upnp ? m_upnp.get() : m_natpmp.get();
        const int ms = mapping ? core::renewalDelayMs(mapping->lifetimeSeconds()) : 0;
        if (ms <= 0) return;
        if (!m_renewal) {
            m_renewal = new QTimer(this);
            m_renewal->setSingleShot(true);
            connect(m_renewal, &QTimer::timeout, this, [this] { renew(); });
        }
        m_renewal->start(ms);
    }

    void renew() {
        const bool granted = m_upnp ? m_upnp->renew() : m_natpmp ? m_natpmp->renew() : false;
        if (granted) emit m_owner->renewed();
        scheduleRenewal();
    }

    PortMapper* m_owner;
    PortMappingConfig m_config;
    std::unique_ptr<RouterMapping> m_upnp;
    std::unique_ptr<RouterMapping> m_natpmp;
    QTimer* m_renewal = nullptr;
};

PortMapper::PortMapper(PortMappingConfig config, QObject* parent)
    : QObject(parent), m_config(std::move(config)) {
    m_thread.setObjectName(QStringLiteral("port mapping"));
    qRegisterMetaType<core::MappingOutcome>(); // it crosses from the mapper's thread
}

PortMapper::~PortMapper() {
    stop();
}

void PortMapper::start(quint16 port) {
    if (m_started) return;
    m_started = true;
    m_worker = new Worker(this, m_config);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
    QMetaObject::invokeMethod(m_worker, [w = m_worker, port] { w->open(port); });
}

void PortMapper::stop() {
    if (!m_thread.isRunning()) return;
    QMetaObject::invokeMethod(
        m_worker, [w = m_worker] { w->close(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    m_worker = nullptr;
}

} // namespace ui
