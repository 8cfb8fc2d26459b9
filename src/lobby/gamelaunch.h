// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the lobby hands the game it starts: the game's positional parameters (name, host
// address, and "true" to host or anything else to join) and, for a table found on the
// network, its port. While the game runs, the lobby listens where the game looks for its
// companion (core::kCompanionPort on this machine).

#include <string>
#include <vector>

namespace lobby {

// Hosting at, or joining a table typed in by hand at, `address`: at the game's own port, or
// at `port` when one was typed (0: none).
std::vector<std::string> typedInGame(const std::string& name, const std::string& address, bool host,
                                     int port = 0);
// Joining a table announced on the network, at its own port.
std::vector<std::string> foundTableGame(const std::string& name, const std::string& address,
                                        int port);

// The status lines the lobby window shows.
inline constexpr const char* kGameRunning = "Game running...";
inline constexpr const char* kAlreadyRunning = "A game is already running.";
inline constexpr const char* kNameFirst = "Type your name first.";

// What `bramblies-lobby --help` prints.
inline constexpr const char* kHelp =
    "Usage: bramblies-lobby [--game PATH] [--player NAME] [--address HOST] [--join] [--start]\n"
    "Asks for a name, a host address and whether to host or join, then starts the game.\n"
    "\n"
    "  --game PATH      the game program (default: bramblies beside this program)\n"
    "  --player NAME    fill in the player's name\n"
    "  --address HOST   fill in the host address\n"
    "  --join           join a game instead of hosting one\n"
    "  --start          start the game at once\n"
    "  --lobby-connect HOST:PORT  reach the internet lobby's server there\n"
    "  --lobby-room ROOM          the lobby room's address (default: lobby@conference.SERVER)\n"
    "  --lobby-ca FILE            trust this CA certificate for the lobby's server\n"
    "  --help           show this help and exit\n"
    "  --version        show the version and exit\n";

} // namespace lobby
