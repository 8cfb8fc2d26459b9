#pragma once
// The numbers both sides of the game agree on, each defined once: where the game is played,
// how big the table is, how fast the computer plays before the settings say otherwise, and
// the version a copy announces when it logs in.

namespace core {

// The game port: a hosting copy listens here and a joining copy connects here.
inline constexpr int kGamePort = 7772;
// The lobby companion's port on this machine; the table only opens the connection.
inline constexpr int kCompanionPort = 9001;
// A hosting copy always reaches its own host here, whatever address the lobby named.
inline constexpr const char* kLocalAddress = "127.0.0.1";

// The computer player's interval in milliseconds until the settings give the "Bot Speed".
inline constexpr int kDefaultBotSpeedMs = 750;

inline constexpr int kSeatCount = 6;     // slots 1..6 play
inline constexpr int kMaxSlot = 9;       // slots 7..9 watch
inline constexpr int kCategoryCount = 7; // faces 1..6 and the Bramble (7)
inline constexpr int kScoreRows = 8;     // the categories and the running total
inline constexpr int kDiceCount = 5;
inline constexpr int kRounds = 7;

// The bonus-roll limits the game options offer, in the order they are shown; 0 is unlimited.
inline constexpr int kOfferedBonusLimits[] = {1, 2, 5, 0};

// How long a host keeps the seat of a player whose connection dropped, unless told otherwise.
inline constexpr int kDefaultHoldSeconds = 120;

// Sent with "CMD_logininfo"; the host warns both sides when a copy's differs from its own.
inline constexpr const char* kVersionText = "1.0.2";

} // namespace core
