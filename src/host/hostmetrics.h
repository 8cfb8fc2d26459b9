// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table's counters for an operator's monitoring, written in Prometheus's text exposition
// format: players and spectators connected, seats in play, games started and finished, turns,
// messages received and sent by command word, connections accepted, refused (table full) and
// closed by reason (each bound among them), connections dropped while they waited without a
// slot (by reason), bytes in and out, the receive queue's depth and a histogram of the time
// a message waits in it. Command-word labels are the catalogue's words and "other", so what a
// peer sends cannot grow the set of series.
//
// Everything lives on the host's thread; exposition() reads it all in one call, so a scrape
// sees one consistent moment.

#include "host/hostevents.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace core {

class GameHost;

class HostMetrics : public HostEvents {
public:
    // Upper bounds of the queue-wait histogram, in seconds.
    static constexpr std::array<double, 12> kWaitBuckets{0.0005, 0.001, 0.0025, 0.005, 0.01, 0.025,
                                                         0.05,   0.1,   0.25,   0.5,   1,    2.5};

    HostMetrics();

    void bytesReceived(std::size_t count) { m_bytesIn += count; }
    // One message handed to the transport, terminator included in `bytes`.
    void messageSent(std::string_view message, std::size_t bytes);

    void connectionAccepted(int slot) override;
    void connectionRefused() override;
    void connectionClosed(int slot, const std::string& name, bool loggedIn,
                          CloseReason reason) override;
    void heldDropped(const std::string& address, HeldDrop reason) override;
    void gameStarted(const std::string& by, int seats) override;
    void turnBegun(int seat, int round) override;
    void gameFinished(const std::vector<Winner>& winners) override;
    void messageHandled(std::string_view command, std::int64_t waitedUs) override;

    // The whole exposition, with the gauges read from the host as it is now.
    std::string exposition(const GameHost& host) const;

private:
    std::uint64_t m_accepted = 0, m_refused = 0, m_gamesStarted = 0, m_gamesFinished = 0,
                  m_turns = 0, m_bytesIn = 0, m_bytesOut = 0;
    std::map<std::string, std::uint64_t, std::less<>> m_received, m_sent, m_closed, m_heldDropped;
    std::array<std::uint64_t, kWaitBuckets.size()> m_waitBuckets{};
    std::uint64_t m_waitCount = 0;
    std::int64_t m_waitSumUs = 0;
};

} // namespace core
