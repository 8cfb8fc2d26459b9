// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds the tables announced on the local network (DNS-SD type "_bramblies._tcp") through the
// Avahi daemon, and follows them: a table found or whose fields changed is reported with its
// address and port, a table that went away is reported gone. One service seen on several
// interfaces is reported once per interface. Without a daemon nothing is found and nothing
// is said; a daemon that starts later is picked up. Reports arrive on the owner's thread.
// Avahi is reached through the network module (netlibraries.h): without it nothing is found.

#include "net/tableannouncement.h"

#include <QObject>
#include <QString>

#include <memory>

namespace ui {

class ServiceBrowsing;

struct FoundTable {
    QString name;   // the service name
    QString domain; // "local" on the local network
    int interfaceIndex = 0;
    QString address;
    quint16 port = 0;
    core::TableAnnouncement table;
};

class TableBrowser : public QObject {
    Q_OBJECT
public:
    explicit TableBrowser(QObject* parent = nullptr);
    ~TableBrowser() override;

    // Why tables on this network cannot be found (no network module, no Avahi client, no
    // daemon running when browsing began), as the end of a sentence; empty when browsing.
    QString unavailableReason() const { return m_unavailable; }

signals:
    void tableFound(const ui::FoundTable& table);
    void tableGone(const QString& name, const QString& domain, int interfaceIndex);

private:
    std::unique_ptr<ServiceBrowsing> m_service;
    QString m_unavailable;
};

} // namespace ui
