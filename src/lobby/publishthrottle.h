// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps our presence in the lobby room from changing more than once a second, however fast
// the game's table changes: the first change goes out at once, later ones within the second
// wait and only the latest of them goes out when the second is over. A presence equal to the
// one last sent is not sent again. The clock is handed in (milliseconds), so tests drive it.

#include "lobby/lobbysession.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace lobby {

// What we publish: our activity and the table we host, if it is listed.
struct Presence {
    Activity activity = Activity::InLobby;
    std::optional<LobbyTable> table;

    bool operator==(const Presence&) const = default;
};

class PublishThrottle {
public:
    static constexpr std::int64_t kIntervalMs = 1000;

    explicit PublishThrottle(std::function<std::int64_t()> nowMs);

    // A new presence; returns it when it may go out now, else keeps it for later.
    std::optional<Presence> offer(const Presence& presence);
    // The kept presence, once its time has come (call when wakeInMs() has passed).
    std::optional<Presence> due();
    // Milliseconds until the kept presence may go out; nullopt when nothing waits.
    std::optional<std::int64_t> wakeInMs() const;
    // Forget what was sent (a new sign-in starts from nothing).
    void reset();

private:
    std::optional<Presence> send(const Presence& presence, std::int64_t now);

    std::function<std::int64_t()> m_now;
    std::optional<Presence> m_sent;
    std::optional<Presence> m_waiting;
    std::optional<std::int64_t> m_sentAt;
};

} // namespace lobby
