// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game host of the copy that hosts, beside its table window: the host server, its turn
// engine with sealed dice and its reach (port mapping and announcement), made and owned here
// and reached by the window through TableHosting. A copy started by the lobby tells it about
// its table and its reach on the window's companion connection (CompanionWriter). The computer
// player follows the window's "Bot Speed" and "Computer Player" menus, seat holds its "Hold Seats"
// switch.
//
// The program gives it the host server made at start-up; without one (a window made alone,
// as in tests) it makes its own the first time the window hosts. It is a child of the table
// window and goes with it; a host it was given may outlive the window, without our engine.
//
//   auto* hosting = new ui::HostingCopy(table, reach, host); // attaches itself to the table

#include "app/lobbylisting.h"
#include "client/qt/tablehosting.h"
#include "host/qt/hostserver.h"
#include "host/qt/tablereach.h"

#include <QPointer>

#include <memory>

namespace core {
class TurnHandler;
}

namespace ui {

class CompanionWriter;
class Tchat;

class HostingCopy : public TableHosting {
    Q_OBJECT
public:
    HostingCopy(Tchat& table, TableReachOptions reach = {}, HostServer* host = nullptr);
    ~HostingCopy() override;

    // The host server (null until there is one).
    HostServer* hostServer() const { return m_host.data(); }

    // TableHosting
    bool listen() override;
    void setHoldSeats(bool hold) override;
    void windowClosing() override;
    void companionOpened(QTcpSocket* socket) override;

private:
    void adopt(HostServer* host);
    void startReach();
    void tellLobby();
    void mapped(const core::MappingOutcome& outcome);

    Tchat& m_table;
    TableReachOptions m_reachOptions;
    QPointer<HostServer> m_host;
    std::unique_ptr<core::TurnHandler> m_turns;
    QPointer<TableReach> m_reach;
    CompanionWriter* m_companion;
    app::TableSite m_site; // where the lobby says players find us
    bool m_hosts = false;  // the window has asked its host to listen
};

} // namespace ui
