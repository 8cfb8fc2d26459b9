// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dedicated host's options for listing its table in an internet lobby:
//
//   --lobby JID                 the account the host signs in with (name@server)
//   --lobby-password-file FILE  its password, the file's first line (at most 1 KiB)
//   --lobby-room ROOM           the lobby room: a name on the server's conference service
//                               or a full room address (default: lobby)
//   --lobby-ca FILE             trust this CA certificate instead of the system's
//   --lobby-connect HOST:PORT   connect there instead of where the server's DNS says
//   --lobby-address ADDRESS     the address players connect to, when it is not the one the
//                               host learns from Agones or its router
//
// The password is never given on the command line, where every user of the machine sees it.

#include <optional>
#include <string>
#include <string_view>

namespace app {

inline constexpr std::size_t kMaxPasswordFile = 1024; // bytes

struct LobbyOptions {
    std::string jid; // empty: the host is not listed
    std::string passwordFile;
    std::string password; // read from passwordFile by checkLobbyOptions()
    std::string room;
    std::string caFile;
    std::string connectHost;
    int connectPort = 0;
    std::string address;
};

// Takes one lobby option's value. nullopt when `name` is none of them, otherwise the error
// text (empty when the value was taken).
std::optional<std::string> takeLobbyValue(std::string_view name, std::string_view value,
                                          LobbyOptions& out);

// After all options are read: the options fit together and the password file reads. Returns
// the error text, empty when all is well (and the password is then read).
std::string checkLobbyOptions(LobbyOptions& options);

// The account's local part and domain ("host" and "play.example.org" of
// "host@play.example.org").
std::string jidLocalPart(const std::string& jid);
std::string jidDomain(const std::string& jid);

// The lines of --help that describe them.
std::string lobbyOptionsText();

} // namespace app
