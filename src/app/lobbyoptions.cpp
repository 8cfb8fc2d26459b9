// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lobbyoptions.h"

#include "lobby/lobbytable.h"
#include "net/fields.h"

#include <algorithm>
#include <fstream>
#include <tuple>
#include <utility>

namespace app {

namespace {

// The bounds of an XMPP address's parts.
constexpr std::size_t kMaxJidPart = 1023;

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

bool hasSpaceOrControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7f; });
}

// name@domain, with neither empty, no second '@', no resource and no blanks.
bool plausibleJid(std::string_view jid) {
    const auto at = jid.find('@');
    if (at == std::string_view::npos || at == 0 || at + 1 == jid.size()) return false;
    if (at > kMaxJidPart || jid.size() - at - 1 > kMaxJidPart) return false;
    return jid.find_first_of("@/", at + 1) == std::string_view::npos && !hasSpaceOrControl(jid);
}

// HOST:PORT, an IPv6 address in brackets, the port from 1 to 65535.
std::optional<std::pair<std::string, int>> parseHostPort(std::string_view text) {
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0 || hasSpaceOrControl(text))
        return std::nullopt;
    std::string_view host = text.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    else if (host.find_first_of(":[]") != std::string_view::npos)
        return std::nullopt;
    const auto port = core::parseInt(text.substr(colon + 1));
    if (!port || *port < 1 || *port > 65535) return std::nullopt;
    return std::pair{std::string(host), *port};
}

std::string readPassword(const std::string& path, std::string& password) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "cannot read the lobby password file " + quoted(path);
    std::string text;
    text.resize(kMaxPasswordFile + 1);
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) return "cannot read the lobby password file " + quoted(path);
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > kMaxPasswordFile)
        return "the lobby password file " + quoted(path) + " is larger than " +
               std::to_string(kMaxPasswordFile) + " bytes";
    // The first line, without its end (files written by editors end in a newline).
    text = text.substr(0, text.find('\n'));
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty()) return "the lobby password file " + quoted(path) + " holds no password";
    password = std::move(text);
    return {};
}

} // namespace

std::optional<std::string> takeLobbyValue(std::string_view name, std::string_view value,
                                          LobbyOptions& out) {
    if (name == "--lobby") {
        if (!plausibleJid(value))
            return "invalid lobby account " + quoted(value) + " (expected name@server)";
        out.jid = value;
    } else if (name == "--lobby-password-file" || name == "--lobby-ca") {
        if (value.empty()) return "option " + quoted(name) + " needs a file";
        (name == "--lobby-ca" ? out.caFile : out.passwordFile) = value;
    } else if (name == "--lobby-room") {
        if (value.empty() || value.size() > kMaxJidPart * 2 + 1 || hasSpaceOrControl(value) ||
            (value.find('@') != std::string_view::npos && !plausibleJid(value)))
            return "invalid lobby room " + quoted(value) + " (expected NAME or NAME@SERVICE)";
        out.room = value;
    } else if (name == "--lobby-connect") {
        auto where = parseHostPort(value);
        if (!where) return "invalid lobby server " + quoted(value) + " (expected HOST:PORT)";
        std::tie(out.connectHost, out.connectPort) = *where;
    } else if (name == "--lobby-address") {
        if (value.empty() || value.size() > lobby::kMaxTableAddress || hasSpaceOrControl(value))
            return "invalid public address " + quoted(value) +
                   " (expected a DNS name or an IP address)";
        out.address = value;
    } else {
        return std::nullopt;
    }
    return std::string();
}

std::string checkLobbyOptions(LobbyOptions& options) {
    if (options.jid.empty()) {
        const bool any = !options.passwordFile.empty() || !options.room.empty() ||
                         !options.caFile.empty() || options.connectPort != 0 ||
                         !options.address.empty();
        return any ? "the lobby options need --lobby JID" : std::string();
    }
    if (options.passwordFile.empty()) return "option '--lobby' needs --lobby-password-file FILE";
    if (!options.caFile.empty() && !std::ifstream(options.caFile))
        return "cannot read the lobby CA certificate " + quoted(options.caFile);
    return readPassword(options.passwordFile, options.password);
}

std::string jidLocalPart(const std::string& jid) {
    return jid.substr(0, jid.find('@'));
}

std::string jidDomain(const std::string& jid) {
    const auto at = jid.find('@');
    return at == std::string::npos ? std::string() : jid.substr(at + 1);
}

std::string lobbyOptionsText() {
    return "  --lobby JID         list the table in the internet lobby, signed in as the\n"
           "                      account JID (name@server); needs --lobby-password-file\n"
           "  --lobby-password-file FILE  the account's password, the file's first line\n"
           "  --lobby-room ROOM   the lobby room: a name on the server's conference\n"
           "                      service, or NAME@SERVICE (default lobby)\n"
           "  --lobby-ca FILE     trust the CA certificate in FILE for the lobby server\n"
           "  --lobby-connect HOST:PORT  reach the lobby server there, not where its DNS\n"
           "                      records say\n"
           "  --lobby-address ADDRESS  the address players connect to (default: the\n"
           "                      Agones address, else the router's external address)\n";
}

} // namespace app
