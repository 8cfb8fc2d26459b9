// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbers both sides of the connection agree on, each defined once: where the game is
// played, how fast the computer plays before the settings say otherwise, and the version a
// copy announces when it logs in. The game's own counts are in game/counts.h.

namespace core {

// The game port: a hosting copy listens here and a joining copy connects here.
inline constexpr int kGamePort = 7772;
// The lobby companion's port on this machine; the table only opens the connection.
inline constexpr int kCompanionPort = 9001;
// A hosting copy always reaches its own host here, whatever address the lobby named.
inline constexpr const char* kLocalAddress = "127.0.0.1";

// The computer player's interval in milliseconds until the settings give the "Bot Speed".
inline constexpr int kDefaultBotSpeedMs = 750;

// How long a host keeps the seat of a player whose connection dropped, unless told otherwise.
inline constexpr int kDefaultHoldSeconds = 120;

// Sent with "CMD_logininfo"; the host warns both sides when a copy's differs from its own.
inline constexpr const char* kVersionText = "1.0.2";

} // namespace core
