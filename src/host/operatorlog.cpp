// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/operatorlog.h"

#include "host/logtext.h"

#include <cstdio>
#include <ctime>

namespace core {

namespace {

std::string isoTime(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(when.time_since_epoch()).count();
    std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    if (ms % 1000 < 0) --seconds;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<int>(((ms % 1000) + 1000) % 1000));
    return text;
}

std::string member(std::string_view key, const std::string& jsonValue) {
    return ",\"" + std::string(key) + "\":" + jsonValue;
}

std::string member(std::string_view key, int value) {
    return member(key, std::to_string(value));
}

std::string slotAndName(int slot, const std::string& name) {
    return "slot " + std::to_string(slot) + " " + logSafe(name);
}

} // namespace

std::optional<LogFormat> parseLogFormat(std::string_view text) {
    if (text == "text") return LogFormat::Text;
    if (text == "json") return LogFormat::Json;
    return std::nullopt;
}

OperatorLog::OperatorLog(LogFormat format, Sink sink, Clock clock)
    : m_format(format), m_sink(std::move(sink)), m_clock(std::move(clock)) {}

void OperatorLog::write(std::string_view event, const std::string& text, const std::string& json) {
    if (m_format == LogFormat::Text) {
        m_sink(text);
        return;
    }
    m_sink("{\"time\":\"" + isoTime(m_clock()) + "\",\"event\":\"" + std::string(event) + "\"" +
           json + "}");
}

void OperatorLog::listening(int port) {
    write("listening", "listening on port " + std::to_string(port), member("port", port));
}

void OperatorLog::notice(std::string_view text) {
    write("notice", logSafe(text), member("text", jsonQuoted(text)));
}

void OperatorLog::error(std::string_view text) {
    write("error", logSafe(text), member("text", jsonQuoted(text)));
}

void OperatorLog::shuttingDown() {
    write("shutdown", "shutting down", "");
}

void OperatorLog::connectionRefused() {
    write("refused", "connection refused: table full", member("reason", "\"table full\""));
}

void OperatorLog::loggedIn(int slot, const std::string& name) {
    write("login", "login: " + slotAndName(slot, name),
          member("slot", slot) + member("name", jsonQuoted(name)));
}

void OperatorLog::connectionClosed(int slot, const std::string& name, bool loggedIn,
                                   CloseReason reason) {
    const std::string who =
        loggedIn ? slotAndName(slot, name) : "slot " + std::to_string(slot) + " before login";
    const std::string why(closeReasonText(reason));
    write("departure", "departure: " + who + " (" + why + ")",
          member("slot", slot) + member("name", jsonQuoted(loggedIn ? name : "")) +
              member("logged_in", loggedIn ? "true" : "false") + member("reason", jsonQuoted(why)));
}

void OperatorLog::heldDropped(const std::string& address, HeldDrop reason) {
    const std::string why(heldDropText(reason));
    write("held_dropped", "dropped unanswered: " + logSafe(address) + " (" + why + ")",
          member("address", jsonQuoted(address)) + member("reason", jsonQuoted(why)));
}

void OperatorLog::gameStarted(const std::string& by, int seats) {
    write("game_start",
          "game started by " + logSafe(by) + " with " + std::to_string(seats) + " seats",
          member("by", jsonQuoted(by)) + member("seats", seats));
}

void OperatorLog::gameFinished(const std::vector<Winner>& winners) {
    std::string text = winners.size() == 1 ? "game over: winner " : "game over: winners ";
    std::string json;
    for (std::size_t i = 0; i < winners.size(); ++i) {
        const Winner& w = winners[i];
        text += std::string(i ? ", " : "") + "seat " + std::to_string(w.seat) + " " +
                (w.name.empty() ? std::string("(computer)") : logSafe(w.name));
        json += std::string(i ? "," : "") + "{\"seat\":" + std::to_string(w.seat) +
                ",\"name\":" + jsonQuoted(w.name) + "}";
    }
    write("game_over", text, member("winners", "[" + json + "]"));
}

} // namespace core
