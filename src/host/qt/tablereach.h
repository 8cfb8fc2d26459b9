// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a host does to be reached and found: asks the home router to forward the game port
// (when asked to) and announces the table on the local network, following the table as
// players come and go. Neither ever stops hosting; the mapping's outcome is reported once.

#include "net/mappingreport.h"
#include "net/qt/portmappingconfig.h"

#include <QObject>
#include <QString>

namespace ui {

class HostServer;
class PortMapper;
class TableAnnouncer;

struct TableReachOptions {
    bool mapPort = false;
    bool announce = false;
    PortMappingConfig mapping;
};

class TableReach : public QObject {
    Q_OBJECT
public:
    TableReach(HostServer& host, TableReachOptions options, QObject* parent = nullptr);
    ~TableReach() override;

    // Call once the host listens.
    void start();
    // Removes the port mapping (blocking for at most the mapping's limits); on exit.
    void stop();

    // The service name announced: "Bramblies on MACHINE port N".
    static QString serviceName(quint16 port);

signals:
    // The port mapping's one sentence.
    void reported(const QString& sentence);
    // ... and the outcome itself, for those who list the table beyond the local network.
    void mapped(const core::MappingOutcome& outcome);

private:
    void follow();

    HostServer& m_host;
    TableReachOptions m_options;
    PortMapper* m_mapper = nullptr;
    TableAnnouncer* m_announcer = nullptr;
};

} // namespace ui
