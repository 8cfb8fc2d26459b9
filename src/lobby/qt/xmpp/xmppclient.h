// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One connection to the chat server through gloox, for one purpose: either creating an
// account by in-band registration (XEP-0077), or signing in and staying in the lobby room
// (XEP-0045) with keep-alive pings (XEP-0199). It reports to a SessionListener, each failure
// once as a sentence of lobby/lobbytexts.h, and goes quiet after stop() or its first failure.
// Its owner must not destroy it from inside one of those reports: gloox is still on the stack.
//
// Security is not negotiable: the stream must be encrypted (STARTTLS), the certificate must
// be trusted by the account's CA file (else the system's store) and name the server, and the
// password goes only through SCRAM-SHA-1 (or -PLUS).

#include "lobby/lobbysession.h"

#include <gloox/connectionlistener.h>
#include <gloox/eventhandler.h>
#include <gloox/loghandler.h>
#include <gloox/mucroomhandler.h>
#include <gloox/registrationhandler.h>

#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace gloox {
class Client;
class MUCRoom;
class Registration;
} // namespace gloox

namespace lobby {

class XmppClient : public gloox::ConnectionListener,
                   public gloox::MUCRoomHandler,
                   public gloox::RegistrationHandler,
                   public gloox::EventHandler,
                   public gloox::LogHandler {
public:
    enum class Purpose { SignIn, Register };

    XmppClient(const Account& account, Purpose purpose, SessionListener& out);
    ~XmppClient() override;

    void start();
    // Ends the connection without a report.
    void stop();
    bool inRoom() const { return m_inRoom; }

    void say(const std::string& text);
    void sendPresence(Activity activity, const std::optional<LobbyTable>& table);
    void kick(const std::string& nick);
    void ban(const std::string& nick);
    void setPingTimes(std::chrono::milliseconds interval, std::chrono::milliseconds timeout);

    // gloox::ConnectionListener
    void onConnect() override;
    void onDisconnect(gloox::ConnectionError error) override;
    bool onTLSConnect(const gloox::CertInfo& info) override;
    // gloox::MUCRoomHandler
    void handleMUCParticipantPresence(gloox::MUCRoom* room,
                                      const gloox::MUCRoomParticipant participant,
                                      const gloox::Presence& presence) override;
    void handleMUCMessage(gloox::MUCRoom* room, const gloox::Message& msg, bool priv) override;
    bool handleMUCRoomCreation(gloox::MUCRoom* room) override;
    void handleMUCSubject(gloox::MUCRoom*, const std::string&, const std::string&) override {}
    void handleMUCInviteDecline(gloox::MUCRoom*, const gloox::JID&, const std::string&) override {}
    void handleMUCError(gloox::MUCRoom* room, gloox::StanzaError error) override;
    void handleMUCInfo(gloox::MUCRoom*, int, const std::string&, const gloox::DataForm*) override {}
    void handleMUCItems(gloox::MUCRoom*, const gloox::Disco::ItemList&) override {}
    // gloox::RegistrationHandler
    void handleRegistrationFields(const gloox::JID&, int, std::string) override {}
    void handleAlreadyRegistered(const gloox::JID&) override {}
    void handleRegistrationResult(const gloox::JID& from,
                                  gloox::RegistrationResult result) override;
    void handleDataForm(const gloox::JID&, const gloox::DataForm&) override {}
    void handleOOB(const gloox::JID&, const gloox::OOB&) override {}
    // gloox::EventHandler (pongs)
    void handleEvent(const gloox::Event& event) override;
    // gloox::LogHandler: the whole conversation on stderr when BRAMBLIES_XMPP_LOG is set.
    void handleLog(gloox::LogLevel level, gloox::LogArea area, const std::string& message) override;

private:
    void fail(const char* message);
    void enteredRoom();
    void ping();
    std::string roomJid() const;

    Account m_account;
    Purpose m_purpose;
    SessionListener& m_out;
    std::unique_ptr<gloox::Client> m_client;
    std::unique_ptr<gloox::Registration> m_registration;
    std::unique_ptr<gloox::MUCRoom> m_room;
    QTimer m_pingTimer;
    QTimer m_pongDeadline;
    bool m_quiet = false;
    bool m_certificateRefused = false;
    bool m_inRoom = false;
};

} // namespace lobby
