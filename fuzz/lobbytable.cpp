// SPDX-License-Identifier: GPL-3.0-or-later
// A table element's attributes come from anyone in the lobby room. The input is read as one
// attribute a line, "key=value" (the first '=' splits). Whatever arrives, reading it must not
// crash; a table it accepts must hold together (counts within the seats, a round only while a
// game runs) and read back equal from the attributes written for it.
// fuzz-max-len: 2048

#include "lobby/lobbytable.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    lobby::Attributes attributes;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        const auto eq = line.find('=');
        attributes.emplace_back(line.substr(0, eq),
                                eq == std::string_view::npos ? "" : line.substr(eq + 1));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    const auto table = lobby::readTable(attributes);
    if (!table) return 0;
    if (table->seated < 0 || table->freeSeats < 0 || table->seated + table->freeSeats > 6 ||
        table->spectators < 0 || table->spectators > 3 || table->port < 1 || table->port > 65535 ||
        table->running != (table->round > 0) || table->round > 7 ||
        table->host.size() > lobby::kMaxTableName ||
        table->address.size() > lobby::kMaxTableAddress ||
        table->version.size() > lobby::kMaxTableVersion)
        std::abort();
    if (lobby::readTable(lobby::tableAttributes(*table)) != table) std::abort();
    return 0;
}
