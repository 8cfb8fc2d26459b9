// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dedicated host's log for its operator: one line per event that matters (listening, a
// login with its slot and name, a departure with its reason, among them each bound that
// closed a connection, a refusal because the table was full, a connection dropped while it
// waited without a slot, a game's start and its winner, host notices, the shutdown), nothing
// per message. Plain text as a person reads it, or with --log-format json one JSON object
// per line with a UTC timestamp, for log collectors.
//
//   text: login: slot 2 Bob
//   json: {"time":"2026-12-07T15:50:01.234Z","event":"login","slot":2,"name":"Bob"}

#include "host/hostevents.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace core {

enum class LogFormat { Text, Json };

class OperatorLog : public HostEvents {
public:
    using Sink = std::function<void(const std::string& line)>;
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    OperatorLog(LogFormat format, Sink sink, Clock clock = &std::chrono::system_clock::now);

    void listening(int port);
    // A host notice ("too many rolls", ...) or another sentence of the host's own.
    void notice(std::string_view text);
    // Something that keeps the host from serving (it cannot listen, ...).
    void error(std::string_view text);
    void shuttingDown();

    void connectionRefused() override;
    void loggedIn(int slot, const std::string& name) override;
    void connectionClosed(int slot, const std::string& name, bool loggedIn,
                          CloseReason reason) override;
    void heldDropped(const std::string& address, HeldDrop reason) override;
    void gameStarted(const std::string& by, int seats) override;
    void gameFinished(const std::vector<Winner>& winners) override;

private:
    // json: the members after "time" and "event", each starting with a comma.
    void write(std::string_view event, const std::string& text, const std::string& json);

    LogFormat m_format;
    Sink m_sink;
    Clock m_clock;
};

// "text" or "json".
std::optional<LogFormat> parseLogFormat(std::string_view text);

} // namespace core
