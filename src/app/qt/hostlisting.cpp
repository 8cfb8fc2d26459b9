// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/hostlisting.h"

#include "app/qt/lobbysessionfactory.h"
#include "game/cryptolibrary.h"
#include "host/qt/agonesclient.h"
#include "host/qt/hostserver.h"
#include "host/qt/tablereach.h"

#include <QNetworkInterface>

namespace ui {

lobby::Account lobbyAccount(const app::LobbyOptions& options) {
    lobby::Account account;
    account.server = app::jidDomain(options.jid);
    account.name = app::jidLocalPart(options.jid);
    account.password = options.password;
    account.connectHost = options.connectHost;
    account.connectPort = options.connectPort;
    // A bare name is a room on the server's conference service.
    account.room = options.room.empty() || options.room.find('@') != std::string::npos
                       ? options.room
                       : options.room + "@conference." + account.server;
    account.caFile = options.caFile;
    return account;
}

std::string machineAddress() {
    for (const QHostAddress& address : QNetworkInterface::allAddresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            return address.toString().toStdString();
    return "127.0.0.1";
}

HostListing::HostListing(const HostSurroundings& host, const app::LobbyOptions& options,
                         std::unique_ptr<lobby::LobbySession> session, QObject* parent)
    : QObject(parent), m_server(host.server), m_session(std::move(session)),
      m_publisher(*m_session, lobbyAccount(options), host.log), m_givenAddress(options.address) {
    m_site.host = app::jidLocalPart(options.jid);
    m_site.server = true;
    m_site.sealed = core::seal::CryptoLibrary::shared().available();
    m_site.port = m_server.serverPort();
    m_site.address = m_givenAddress.empty() ? machineAddress() : m_givenAddress;
    m_site.reachable = !m_givenAddress.empty();
    connect(&m_server, &HostServer::activity, this, &HostListing::update);
    if (host.agones) {
        // Where Agones runs, its record is the truth, whatever a router says.
        connect(host.agones, &AgonesClient::publicAddress, this,
                [this](const QString& address, int port) {
                    m_site.port = port ? port : m_server.serverPort();
                    if (m_givenAddress.empty() && !address.isEmpty()) {
                        m_site.address = address.toStdString();
                        m_site.reachable = port != 0;
                    }
                    update();
                });
    } else if (m_givenAddress.empty()) {
        connect(&host.reach, &TableReach::mapped, this,
                [this](const core::MappingOutcome& outcome) {
                    const lobby::ReachLine reach = app::reachOf(outcome);
                    m_site.reachable = reach.reachable;
                    if (reach.reachable) {
                        m_site.address = reach.externalAddress;
                        m_site.port = outcome.externalPort;
                    }
                    update();
                });
    }
    update();
    m_publisher.start();
}

HostListing::~HostListing() {
    m_session->signOut(); // the table leaves the list with our presence
}

void HostListing::update() {
    m_publisher.setTable(app::listedTable(m_server.state(), m_site));
}

HostAddOn lobbyListing(const app::LobbyOptions& options, LobbySessionFactory makeSession) {
    if (options.jid.empty()) return {};
    if (!makeSession) makeSession = makeLobbySession;
    return [options, makeSession](const HostSurroundings& host) -> std::unique_ptr<QObject> {
        auto session = makeSession();
        if (!session) {
            host.log("lobby: this program cannot reach a lobby server; the table is not listed");
            return nullptr;
        }
        return std::make_unique<HostListing>(host, options, std::move(session));
    };
}

} // namespace ui
