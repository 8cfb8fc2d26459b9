// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/hostmetrics.h"

#include "host/gamehost.h"
#include "net/messages.h"

#include <cstdio>

namespace core {

namespace {

constexpr std::string_view kOther = "other";

template <std::size_t N>
std::string_view known(std::string_view command, const std::array<std::string_view, N>& words) {
    for (auto word : words)
        if (word == command) return word;
    return kOther;
}

template <std::size_t N>
void zeroed(std::map<std::string, std::uint64_t, std::less<>>& counts,
            const std::array<std::string_view, N>& words) {
    for (auto word : words)
        counts.emplace(word, 0);
    counts.emplace(kOther, 0);
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

class Writer {
public:
    void family(std::string_view name, std::string_view type, std::string_view help) {
        m_name = name;
        m_out += "# HELP " + m_name + " " + std::string(help) + "\n";
        m_out += "# TYPE " + m_name + " " + std::string(type) + "\n";
    }
    void sample(std::uint64_t value, std::string_view suffix = {}, std::string_view labels = {}) {
        sample(std::to_string(value), suffix, labels);
    }
    void sample(const std::string& value, std::string_view suffix, std::string_view labels) {
        m_out += m_name + std::string(suffix);
        if (!labels.empty()) {
            m_out += '{';
            m_out += labels;
            m_out += '}';
        }
        m_out += " " + value + "\n";
    }
    void labelled(std::string_view label,
                  const std::map<std::string, std::uint64_t, std::less<>>& counts) {
        for (const auto& [key, value] : counts)
            sample(value, {}, std::string(label) + "=\"" + key + "\"");
    }
    std::string take() { return std::move(m_out); }

private:
    std::string m_name, m_out;
};

} // namespace

HostMetrics::HostMetrics() {
    zeroed(m_received, msg::kToHost);
    zeroed(m_sent, msg::kToClient);
    for (auto reason : kCloseReasons)
        m_closed.emplace(closeReasonLabel(reason), 0);
    for (auto reason : kHeldDrops)
        m_heldDropped.emplace(heldDropLabel(reason), 0);
}

void HostMetrics::messageSent(std::string_view message, std::size_t bytes) {
    ++m_sent.find(known(message.substr(0, message.find('+')), msg::kToClient))->second;
    m_bytesOut += bytes;
}

void HostMetrics::connectionAccepted(int) {
    ++m_accepted;
}

void HostMetrics::connectionRefused() {
    ++m_refused;
}

void HostMetrics::connectionClosed(int, const std::string&, bool, CloseReason reason) {
    ++m_closed.find(closeReasonLabel(reason))->second;
}

void HostMetrics::heldDropped(const std::string&, HeldDrop reason) {
    ++m_heldDropped.find(heldDropLabel(reason))->second;
}

void HostMetrics::gameStarted(const std::string&, int) {
    ++m_gamesStarted;
}

void HostMetrics::turnBegun(int, int) {
    ++m_turns;
}

void HostMetrics::gameFinished(const std::vector<Winner>&) {
    ++m_gamesFinished;
}

void HostMetrics::messageHandled(std::string_view command, std::int64_t waitedUs) {
    ++m_received.find(known(command, msg::kToHost))->second;
    for (std::size_t i = 0; i < kWaitBuckets.size(); ++i)
        if (static_cast<double>(waitedUs) <= kWaitBuckets[i] * 1e6) ++m_waitBuckets[i];
    ++m_waitCount;
    m_waitSumUs += waitedUs;
}

std::string HostMetrics::exposition(const GameHost& host) const {
    const HostState& state = host.state();
    std::uint64_t players = 0, spectators = 0, inPlay = 0;
    for (int slot = 1; slot <= kMaxSlot; ++slot) {
        if (!state.slot(slot).connected || !host.loggedIn(slot)) continue;
        ++(HostState::validSeat(slot) ? players : spectators);
    }
    if (state.turn.gamerunning)
        for (int seat = 1; seat <= kSeatCount; ++seat)
            inPlay += state.slot(seat).ingame ? 1 : 0;

    Writer w;
    w.family("bramblies_players", "gauge", "Players logged in to a seat (slots 1 to 6).");
    w.sample(players);
    w.family("bramblies_spectators", "gauge", "Spectators logged in (slots 7 to 9).");
    w.sample(spectators);
    w.family("bramblies_seats_in_play", "gauge", "Seats in the running game, 0 between games.");
    w.sample(inPlay);
    w.family("bramblies_games_started_total", "counter", "Games started.");
    w.sample(m_gamesStarted);
    w.family("bramblies_games_finished_total", "counter", "Games played to their winner.");
    w.sample(m_gamesFinished);
    w.family("bramblies_turns_total", "counter", "Turns begun, the computer's included.");
    w.sample(m_turns);
    w.family("bramblies_messages_received_total", "counter",
             "Messages taken from the receive queue, by command word.");
    w.labelled("command", m_received);
    w.family("bramblies_messages_sent_total", "counter", "Messages sent, by command word.");
    w.labelled("command", m_sent);
    w.family("bramblies_connections_accepted_total", "counter", "Connections given a slot.");
    w.sample(m_accepted);
    w.family("bramblies_connections_refused_total", "counter",
             "Connections refused because all nine slots were taken.");
    w.sample(m_refused);
    w.family("bramblies_connections_closed_total", "counter",
             "Connections ended, by reason: the peer left, a kick, a bound, the shutdown.");
    w.labelled("reason", m_closed);
    w.family("bramblies_held_connections_dropped_total", "counter",
             "Connections that waited without a slot and were dropped unanswered, by reason.");
    w.labelled("reason", m_heldDropped);
    w.family("bramblies_received_bytes_total", "counter", "Bytes received from players.");
    w.sample(m_bytesIn);
    w.family("bramblies_sent_bytes_total", "counter", "Bytes sent to players.");
    w.sample(m_bytesOut);
    w.family("bramblies_receive_queue_depth", "gauge", "Messages waiting to be handled.");
    w.sample(host.pendingCount());
    w.family("bramblies_receive_queue_wait_seconds", "histogram",
             "Time a message waited in the receive queue.");
    for (std::size_t i = 0; i < kWaitBuckets.size(); ++i)
        w.sample(m_waitBuckets[i], "_bucket", "le=\"" + number(kWaitBuckets[i]) + "\"");
    w.sample(m_waitCount, "_bucket", "le=\"+Inf\"");
    w.sample(number(static_cast<double>(m_waitSumUs) / 1e6), "_sum", {});
    w.sample(m_waitCount, "_count");
    return w.take();
}

} // namespace core
