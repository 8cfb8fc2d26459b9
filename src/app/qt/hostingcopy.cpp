// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/hostingcopy.h"

#include "app/qt/companionwriter.h"
#include "app/qt/hostlisting.h"
#include "chat/settings.h"
#include "client/qt/tchat.h"
#include "game/cryptolibrary.h"
#include "host/qt/hostserver.h"
#include "host/sealedturns.h"
#include "host/turnhandler.h"

namespace ui {

HostingCopy::HostingCopy(Tchat& table, TableReachOptions reach, HostServer* host)
    : TableHosting(&table), m_table(table), m_reachOptions(std::move(reach)),
      m_companion(new CompanionWriter(this)) {
    if (host) adopt(host);
    table.setHosting(this);
}

HostingCopy::~HostingCopy() {
    // The host may outlive the window for a moment; it must not keep our turn engine or ask
    // the window's settings.
    if (m_host) {
        m_host->setTurnHandler(nullptr);
        m_host->setBotSpeedProvider({});
        m_host->setComputerStyleProvider({});
    }
}

void HostingCopy::adopt(HostServer* host) {
    m_host = host;
    host->setTimeScale(m_table.options().timeScale);
    m_turns = core::makeSealedTurnEngine(host->state());
    host->setTurnHandler(m_turns.get());
    core::Settings& settings = m_table.settings();
    // The computer player follows this copy's "Bot Speed" menu.
    host->setBotSpeedProvider([&settings] { return settings.botSpeed(); });
    // ... and its "Computer Player" menu.
    host->setComputerStyleProvider([&settings] {
        return settings.expertComputer() ? core::ComputerStyle::Expert
                                         : core::ComputerStyle::Classic;
    });
    connect(host, &HostServer::noticeRaised, this, &TableHosting::noticeRaised);
    setHoldSeats(settings.holdSeats());
}

bool HostingCopy::listen() {
    if (!m_host) adopt(new HostServer(this));
    m_hosts = true;
    if (!m_host->isListening() && !m_host->listen(m_table.options().port)) return false;
    // Solo play is nobody else's business: only a table hosted from the command line is
    // made reachable and announced.
    if (!m_table.options().params.empty() && !m_reach) startReach();
    return true;
}

void HostingCopy::startReach() {
    m_reach = new TableReach(*m_host, m_reachOptions, this);
    connect(m_reach, &TableReach::reported, this, &TableHosting::reachReported);
    connect(m_reach, &TableReach::mapped, this, &HostingCopy::mapped);
    m_reach->start();
    // The lobby hears of the table on the same occasions as the local network.
    m_site.port = m_host->serverPort();
    m_site.address = machineAddress();
    m_site.sealed = core::seal::CryptoLibrary::shared().available();
    connect(m_host, &HostServer::activity, this, &HostingCopy::tellLobby);
    tellLobby();
}

void HostingCopy::tellLobby() {
    if (m_host) m_companion->setTable(app::listedTable(m_host->state(), m_site));
}

void HostingCopy::mapped(const core::MappingOutcome& outcome) {
    const lobby::ReachLine reach = app::reachOf(outcome);
    m_site.reachable = reach.reachable;
    if (reach.reachable) {
        m_site.address = reach.externalAddress;
        m_site.port = outcome.externalPort;
    }
    m_companion->setReach(reach);
    tellLobby();
}

void HostingCopy::companionOpened(QTcpSocket* socket) {
    m_companion->setSocket(socket);
}

void HostingCopy::setHoldSeats(bool hold) {
    if (m_host) m_host->gameHost().setHoldSeconds(hold ? core::kDefaultHoldSeconds : 0);
}

void HostingCopy::windowClosing() {
    if (m_host && m_hosts) m_host->deleteLater();
    if (m_reach) m_reach->stop(); // the router forgets the mapping before the program ends
}

} // namespace ui
