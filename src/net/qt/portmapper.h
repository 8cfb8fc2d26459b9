// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Asks the home router to forward the game port to this machine while this copy hosts: UPnP
// first, NAT-PMP when no UPnP gateway answers. The work runs on a thread of its own, so the
// table window never waits on the network. The outcome is reported once; the mapping is
// renewed at half its lease and removed by stop() or when the mapper is destroyed.

#include "net/mappingreport.h"
#include "net/qt/portmappingconfig.h"

#include <QObject>
#include <QString>
#include <QThread>

namespace ui {

class PortMapper : public QObject {
    Q_OBJECT
public:
    explicit PortMapper(PortMappingConfig config = {}, QObject* parent = nullptr);
    ~PortMapper() override;

    // Starts mapping the port (once; later calls do nothing).
    void start(quint16 port);
    // Removes the mapping and ends the thread. Blocks until the router has been asked (at
    // most the configured limits); called on exit.
    void stop();

signals:
    // The one sentence on the outcome ("Players outside your network can reach ...", ...).
    void reported(const QString& sentence);
    // The same outcome in full, right after: where the router forwards from, if it does.
    void settled(const core::MappingOutcome& outcome);
    // A renewal was granted.
    void renewed();

private:
    class Worker;
    PortMappingConfig m_config;
    QThread m_thread;
    Worker* m_worker = nullptr;
    bool m_started = false;
};

} // namespace ui
