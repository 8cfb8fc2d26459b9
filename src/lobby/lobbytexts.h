// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sentences the internet lobby shows when signing in, creating an account or staying in
// the room goes wrong. One home for each, so the window, the dedicated host's log and the tests
// quote the same bytes.

namespace lobby {

// Creating an account.
inline constexpr const char* kNameTaken = "This name is taken. Choose another one.";
inline constexpr const char* kNameRefused =
    "The server does not accept this name or password. Choose others.";
inline constexpr const char* kRegistrationRefused =
    "The server takes no new accounts from here just now. Try again later.";

// Signing in.
inline constexpr const char* kWrongPassword = "Wrong name or password.";
inline constexpr const char* kServerUnreachable = "The server cannot be reached.";
inline constexpr const char* kNoTls =
    "The server does not offer an encrypted connection, so the lobby does not sign in.";
inline constexpr const char* kUntrustedCertificate =
    "The server's certificate is not trusted, so the lobby does not sign in.";
inline constexpr const char* kNoScram =
    "The server offers no safe way to check the password, so the lobby does not sign in.";

// In the room.
inline constexpr const char* kConnectionLost = "The connection to the server was lost.";
inline constexpr const char* kNickInUse = "Someone in the lobby already uses this name.";
inline constexpr const char* kRoomRefused = "The lobby room cannot be entered.";
inline constexpr const char* kKicked = "A moderator removed you from the lobby.";
inline constexpr const char* kBanned = "A moderator banned you from the lobby.";

} // namespace lobby
