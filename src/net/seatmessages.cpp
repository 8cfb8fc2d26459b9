#include "net/seatmessages.h"

#include "net/fields.h"
#include "net/messages.h"

namespace core::msg {

namespace {
std::string n(int value) {
    return std::to_string(value);
}
} // namespace

namespace toHost {
std::string canholdseat(int slot) {
    return buildMessage(cmd::canholdseat, {n(slot)}, true);
}
std::string reclaimseat(int slot, std::string_view token) {
    return buildMessage(cmd::reclaimseat, {n(slot), std::string(token)});
}
} // namespace toHost

namespace toClient {
std::string seattoken(int seat, int seconds, std::string_view token) {
    return buildMessage(cmd::seattoken, {n(seat), n(seconds), std::string(token)});
}
std::string seatreclaimed(int seat) {
    return buildMessage(cmd::seatreclaimed, {n(seat)}, true);
}
std::string seatheld(int seat, int seconds, std::string_view name) {
    return buildMessage(cmd::seatheld, {n(seat), n(seconds), std::string(name)});
}
std::string seatfreed(int seat, std::string_view name) {
    return buildMessage(cmd::seatfreed, {n(seat), std::string(name)});
}
} // namespace toClient

std::optional<SeatTokenFields> parseReclaimseat(std::string_view payload) {
    FieldReader r(payload);
    auto slot = r.nextInt();
    if (!slot) return std::nullopt;
    return SeatTokenFields{*slot, 0, std::string(r.next())};
}

std::optional<SeatTokenFields> parseSeattoken(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    auto seconds = r.nextInt();
    if (!seat || !seconds) return std::nullopt;
    return SeatTokenFields{*seat, *seconds, std::string(r.next())};
}

std::optional<SeatHeldFields> parseSeatheld(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    auto seconds = r.nextInt();
    if (!seat || !seconds) return std::nullopt;
    return SeatHeldFields{*seat, *seconds, std::string(r.rest())};
}

std::optional<SeatHeldFields> parseSeatfreed(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    if (!seat) return std::nullopt;
    return SeatHeldFields{*seat, 0, std::string(r.rest())};
}

} // namespace core::msg
