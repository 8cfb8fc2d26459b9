// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/xmpp/xmppclient.h"

#include "lobby/lobbytexts.h"
#include "lobby/qt/xmpp/presenceelement.h"
#include "lobby/qt/xmpp/socketconnection.h"

#include <gloox/client.h>
#include <gloox/logsink.h>
#include <gloox/message.h>
#include <gloox/mucroom.h>
#include <gloox/presence.h>
#include <gloox/registration.h>
#include <gloox/tlsdefault.h>

#include <cstdio>

namespace lobby {

namespace {

using namespace std::chrono_literals;

constexpr const char* kSystemCertificates = "/etc/ssl/certs/ca-certificates.crt";
constexpr int kHistoryLines = 20;          // chat lines the room replays when we enter
constexpr std::size_t kMaxChatLine = 1024; // bytes; the rest of a longer line is not shown

const char* activityName(Activity activity) {
    switch (activity) {
    case Activity::Playing:
        return "playing";
    case Activity::Hosting:
        return "hosting";
    case Activity::InLobby:
        break;
    }
    return "lobby";
}

Activity readActivity(const gloox::Presence& presence) {
    const auto* element = presence.findExtension<PresenceElement>(PresenceElement::kActivityType);
    if (element)
        for (const auto& [name, value] : element->attributes())
            if (name == "state") {
                if (value == "playing") return Activity::Playing;
                if (value == "hosting") return Activity::Hosting;
            }
    return Activity::InLobby;
}

Role readRole(gloox::MUCRoomRole role) {
    switch (role) {
    case gloox::RoleModerator:
        return Role::Moderator;
    case gloox::RoleVisitor:
        return Role::Visitor;
    default:
        return Role::Participant;
    }
}

// Why a connection that ended before we were in the room did not work out.
const char* refusal(gloox::ConnectionError error, bool certificateRefused) {
    switch (error) {
    case gloox::ConnConnectionRefused:
    case gloox::ConnDnsError:
        return kServerUnreachable;
    case gloox::ConnTlsNotAvailable:
        return kNoTls;
    case gloox::ConnTlsFailed:
        return kUntrustedCertificate;
    case gloox::ConnAuthenticationFailed:
        return kWrongPassword;
    case gloox::ConnNoSupportedAuth:
        return kNoScram;
    default:
        return certificateRefused ? kUntrustedCertificate : kConnectionLost;
    }
}

} // namespace

XmppClient::XmppClient(const Account& account, Purpose purpose, SessionListener& out)
    : m_account(account), m_purpose(purpose), m_out(out) {
    if (purpose == Purpose::Register) {
        m_client = std::make_unique<gloox::Client>(account.server);
        m_registration = std::make_unique<gloox::Registration>(m_client.get());
        m_registration->registerRegistrationHandler(this);
    } else {
        m_client = std::make_unique<gloox::Client>(gloox::JID(account.name + '@' + account.server),
                                                   account.password);
    }
    m_client->setTls(gloox::TLSRequired);
    m_client->setCompression(false);
    m_client->setSASLMechanisms(gloox::SaslMechScramSha1 | gloox::SaslMechScramSha1Plus);
    // gloox's own TLS set-up forgets the CA files it is given; this one is told after init().
    auto* tls = new gloox::TLSDefault(m_client.get(), account.server);
    tls->init();
    tls->setCACerts({account.caFile.empty() ? kSystemCertificates : account.caFile});
    m_client->setEncryptionImpl(tls);
    m_client->disableRoster();
    m_client->registerConnectionListener(this);
    m_client->registerStanzaExtension(new PresenceElement(PresenceElement::kTableType));
    m_client->registerStanzaExtension(new PresenceElement(PresenceElement::kActivityType));
    m_client->setConnectionImpl(new SocketConnection(m_client.get(), account.server,
                                                     account.connectHost, account.connectPort));
    if (qEnvironmentVariableIsSet("BRAMBLIES_XMPP_LOG"))
        m_client->logInstance().registerLogHandler(gloox::LogLevelDebug, gloox::LogAreaAll, this);
    m_pingTimer.setInterval(60s);
    m_pingTimer.callOnTimeout([this] { ping(); });
    m_pongDeadline.setInterval(30s);
    m_pongDeadline.setSingleShot(true);
    m_pongDeadline.callOnTimeout([this] { fail(kConnectionLost); });
}

XmppClient::~XmppClient() {
    m_quiet = true;
    m_room.reset(); // it unregisters from the client
    m_registration.reset();
}

void XmppClient::start() {
    if (!m_client->connect(false)) fail(kServerUnreachable);
}

void XmppClient::stop() {
    m_quiet = true;
    m_pingTimer.stop();
    m_pongDeadline.stop();
    m_client->disconnect();
}

void XmppClient::fail(const char* message) {
    if (m_quiet) return;
    m_quiet = true;
    m_pingTimer.stop();
    m_pongDeadline.stop();
    m_client->disconnect();
    m_out.failed(message);
}

std::string XmppClient::roomJid() const {
    return m_account.room.empty() ? std::string(kDefaultRoom) + "@conference." + m_account.server
                                  : m_account.room;
}

void XmppClient::setPingTimes(std::chrono::milliseconds interval,
                              std::chrono::milliseconds timeout) {
    m_pingTimer.setInterval(interval);
    m_pongDeadline.setInterval(timeout);
}

void XmppClient::onConnect() {
    if (m_quiet) return;
    if (m_purpose == Purpose::Register) {
        gloox::RegistrationFields fields;
        fields.username = m_account.name;
        fields.password = m_account.password;
        m_registration->createAccount(
            gloox::Registration::FieldUsername | gloox::Registration::FieldPassword, fields);
        return;
    }
    m_room = std::make_unique<gloox::MUCRoom>(m_client.get(),
                                              gloox::JID(roomJid() + '/' + m_account.name), this);
    m_room->setRequestHistory(kHistoryLines, gloox::MUCRoom::HistoryMaxStanzas);
    m_room->join();
}

void XmppClient::onDisconnect(gloox::ConnectionError error) {
    if (m_quiet) return;
    fail(m_inRoom ? kConnectionLost : refusal(error, m_certificateRefused));
}

bool XmppClient::onTLSConnect(const gloox::CertInfo& info) {
    // gloox checked the chain against our CA file and the name against the server's domain.
    m_certificateRefused = info.status != gloox::CertOk;
    return !m_certificateRefused;
}

void XmppClient::handleRegistrationResult(const gloox::JID&, gloox::RegistrationResult result) {
    if (m_quiet) return;
    switch (result) {
    case gloox::RegistrationSuccess:
        m_quiet = true;
        m_client->disconnect();
        m_out.accountCreated();
        return;
    case gloox::RegistrationConflict:
        fail(kNameTaken);
        return;
    case gloox::RegistrationNotAcceptable:
    case gloox::RegistrationBadRequest:
        fail(kNameRefused);
        return;
    default:
        fail(kRegistrationRefused);
        return;
    }
}

void XmppClient::enteredRoom() {
    m_inRoom = true;
    m_pingTimer.start();
    m_out.signedIn(m_account.name);
}

void XmppClient::handleMUCParticipantPresence(gloox::MUCRoom*,
                                              const gloox::MUCRoomParticipant participant,
                                              const gloox::Presence& presence) {
    if (m_quiet || !participant.nick) return;
    // The room sends us its occupants only once it has let us in.
    if (!m_inRoom) enteredRoom();
    if (m_quiet) return;
    const std::string nick = participant.nick->resource();
    const bool self = (participant.flags & gloox::UserSelf) != 0;
    if (presence.subtype() == gloox::Presence::Unavailable) {
        if (self && (participant.flags & gloox::UserBanned)) return fail(kBanned);
        if (self && (participant.flags & gloox::UserKicked)) return fail(kKicked);
        if (self && !(participant.flags & gloox::UserNickChanged)) return fail(kConnectionLost);
        m_out.occupantLeft(nick);
        return;
    }
    Occupant occupant{nick, readRole(participant.role), readActivity(presence), std::nullopt};
    if (const auto* table = presence.findExtension<PresenceElement>(PresenceElement::kTableType))
        occupant.table = table->attributes();
    m_out.occupantChanged(occupant);
}

void XmppClient::handleMUCMessage(gloox::MUCRoom*, const gloox::Message& msg, bool priv) {
    const std::string nick = msg.from().resource();
    if (m_quiet || priv || nick.empty() || msg.body().empty()) return;
    m_out.chatLine(nick, msg.body().substr(0, kMaxChatLine));
}

bool XmppClient::handleMUCRoomCreation(gloox::MUCRoom*) {
    // Whoever comes first to a lobby the server has not kept makes it, with the server's
    // defaults (the server's configuration keeps lobby rooms).
    return true;
}

void XmppClient::handleMUCError(gloox::MUCRoom*, gloox::StanzaError error) {
    if (m_inRoom) return; // a refused kick or message: the room stays
    switch (error) {
    case gloox::StanzaErrorConflict:
        fail(kNickInUse);
        return;
    case gloox::StanzaErrorForbidden:
        fail(kBanned);
        return;
    default:
        fail(kRoomRefused);
        return;
    }
}

void XmppClient::say(const std::string& text) {
    if (m_inRoom && !m_quiet) m_room->send(text);
}

void XmppClient::sendPresence(Activity activity, const std::optional<LobbyTable>& table) {
    if (!m_inRoom || m_quiet) return;
    gloox::Presence presence(gloox::Presence::Available,
                             gloox::JID(roomJid() + '/' + m_account.name));
    presence.addExtension(
        new PresenceElement(PresenceElement::kActivityType, {{"state", activityName(activity)}}));
    if (table)
        presence.addExtension(
            new PresenceElement(PresenceElement::kTableType, tableAttributes(*table)));
    m_client->send(presence);
}

void XmppClient::kick(const std::string& nick) {
    if (m_inRoom && !m_quiet) m_room->kick(nick);
}

void XmppClient::ban(const std::string& nick) {
    if (m_inRoom && !m_quiet) m_room->ban(nick, std::string());
}

void XmppClient::ping() {
    if (m_pongDeadline.isActive()) return;
    m_pongDeadline.start();
    m_client->xmppPing(gloox::JID(m_account.server), this);
}

void XmppClient::handleEvent(const gloox::Event& event) {
    // An error answer is an answer too: the server is there.
    if (event.eventType() == gloox::Event::PingPong || event.eventType() == gloox::Event::PingError)
        m_pongDeadline.stop();
}

} // namespace lobby

namespace lobby {

void XmppClient::handleLog(gloox::LogLevel, gloox::LogArea, const std::string& message) {
    std::fprintf(stderr, "xmpp %s: %s\n", m_account.name.c_str(), message.c_str());
}

} // namespace lobby
