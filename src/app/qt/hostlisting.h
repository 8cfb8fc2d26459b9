// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dedicated host listed in the internet lobby (--lobby JID): its table as players join and
// leave, published through a LobbyPublisher, as a server named after the account's local part.
// Players outside are sent to the address given with --lobby-address, else to the one in the
// Agones GameServer record (with --agones), else to the router's external address once the
// port mapping (--port-mapping) has one; the table is listed as reachable only then.

#include "app/lobbylisting.h"
#include "app/lobbyoptions.h"
#include "app/qt/lobbypublisher.h"
#include "host/qt/dedicatedhost.h"

#include <QObject>

#include <functional>
#include <memory>

namespace lobby {
class LobbySession;
}

namespace ui {

class HostListing : public QObject {
    Q_OBJECT
public:
    HostListing(const HostSurroundings& host, const app::LobbyOptions& options,
                std::unique_ptr<lobby::LobbySession> session, QObject* parent = nullptr);
    ~HostListing() override;

    LobbyPublisher& publisher() { return m_publisher; }

private:
    void update();

    HostServer& m_server;
    std::unique_ptr<lobby::LobbySession> m_session;
    LobbyPublisher m_publisher; // made after the session it uses, gone before it
    app::TableSite m_site;
    std::string m_givenAddress;
};

lobby::Account lobbyAccount(const app::LobbyOptions& options);

// The address a table names until a public one is known: this machine's first IPv4 address
// that is not a loopback one (players nearby can use it), else 127.0.0.1.
std::string machineAddress();

using LobbySessionFactory = std::function<std::unique_ptr<lobby::LobbySession>()>;
// The dedicated host's add-on for --lobby (none without it), signing in with the session the
// factory makes (by default makeLobbySession()).
HostAddOn lobbyListing(const app::LobbyOptions& options, LobbySessionFactory makeSession = {});

} // namespace ui
