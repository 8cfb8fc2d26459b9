// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lobby's connection to its chat server, as the lobby window and the dedicated host see
// it: sign in or create an account, the people in the lobby room with what they publish, the
// room's chat, and our own presence with the table we host. The XMPP client behind it (gloox,
// in lobby/qt/xmpp) stays behind this interface; tests drive the window with a fake.
//
// Calls return at once; the outcome comes back through the SessionListener, on the thread
// that owns the session (the Qt event loop).

#include "lobby/lobbytable.h"

#include <optional>
#include <string>

namespace lobby {

inline constexpr int kXmppPort = 5222;
inline constexpr const char* kDefaultRoom = "lobby"; // on the server's conference service

struct Account {
    std::string server; // the XMPP domain, e.g. "play.example.org"
    std::string name;   // the account's local part, also the nickname in the room
    std::string password;
    // Where to connect: empty for the server's SRV records (else the domain on kXmppPort).
    std::string connectHost;
    int connectPort = 0;
    // The room's full address; empty for kDefaultRoom at "conference." + server.
    std::string room;
    // A CA certificate file to trust instead of the system's store (tests, private servers).
    std::string caFile;
};

// What an occupant of the room is doing, as its presence says.
enum class Activity { InLobby, Playing, Hosting };
// The occupant's role in the room: moderators may kick and ban.
enum class Role { Visitor, Participant, Moderator };

struct Occupant {
    std::string nick;
    Role role = Role::Participant;
    Activity activity = Activity::InLobby;
    // The attributes of the occupant's table element, as received (not yet checked); absent
    // when the presence carries none.
    std::optional<Attributes> table;
};

class SessionListener {
public:
    virtual ~SessionListener() = default;

    virtual void signedIn(const std::string& ownNick) = 0;
    // Sign-in, registration or the connection failed or ended; `message` is the sentence the
    // window shows (lobby/lobbytexts.h).
    virtual void failed(const std::string& message) = 0;
    virtual void accountCreated() = 0;
    // An occupant entered the room or changed its presence (the whole presence again).
    virtual void occupantChanged(const Occupant& occupant) = 0;
    virtual void occupantLeft(const std::string& nick) = 0;
    // A line of the room's chat (also our own, as the room echoes it).
    virtual void chatLine(const std::string& nick, const std::string& text) = 0;
};

class LobbySession {
public:
    virtual ~LobbySession() = default;

    virtual void setListener(SessionListener* listener) = 0;
    virtual void signIn(const Account& account) = 0;
    // Creates the account by in-band registration, then signs in with it.
    virtual void createAccount(const Account& account) = 0;
    virtual void signOut() = 0;

    virtual void say(const std::string& text) = 0;
    // Our presence in the room: what we do and the table we host (none: no element).
    virtual void publish(Activity activity, const std::optional<LobbyTable>& table) = 0;

    // Moderators only; the server refuses anyone else.
    virtual void kick(const std::string& nick) = 0;
    virtual void ban(const std::string& nick) = 0;
};

} // namespace lobby
