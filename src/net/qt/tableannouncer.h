// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Announces this copy's table on the local network with DNS-SD through the Avahi daemon:
// service type "_bramblies._tcp", the game port and the TXT fields of core::TableAnnouncement.
// Without a running daemon nothing is announced and nothing is said; a daemon that starts or
// restarts later is picked up. Avahi is reached through the network module (netlibraries.h):
// without the module nothing is announced either.

#include "net/tableannouncement.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace ui {

class ServiceAnnouncement;

class TableAnnouncer : public QObject {
    Q_OBJECT
public:
    static constexpr int kMinUpdateIntervalMs = 1000;

    TableAnnouncer(QString serviceName, quint16 port, QObject* parent = nullptr);
    ~TableAnnouncer() override;

    // The table as it is now. The announcement follows at most once a second: a change
    // sooner than that is sent when the second is up, merged with any that follow it.
    void setTable(const core::TableAnnouncement& table);

signals:
    // The daemon accepted the announcement (for tests and logs).
    void established(const QString& serviceName);

private:
    void publish();

    std::unique_ptr<ServiceAnnouncement> m_service;
    core::TableAnnouncement m_table;
    bool m_haveTable = false;
    bool m_dirty = false;
    QElapsedTimer m_sinceUpdate;
    QTimer m_pending;
};

} // namespace ui
