#pragma once
// The messages of seats held for dropped players. Only copies that say they can come back
// ("CMD_canholdseat") are sent the host's side of them; every other copy sees exactly the
// messages it always did.
//
//   client -> host  "CMD_canholdseat+SLOT+"          this copy can reclaim a held seat
//                   "CMD_reclaimseat+SLOT+TOKEN"      right after "CMD_sendlogininfo", before
//                                                     the login: give me my seat back
//   host -> client  "CMD_seattoken+SEAT+SECONDS+TOKEN" to the seated player only: the token of
//                                                     its seat for this game, and how long the
//                                                     seat is held after a drop
//                   "CMD_seatreclaimed+SEAT+"         the connection now holds that seat
//                   "CMD_seatheld+SEAT+SECONDS+NAME"  NAME dropped; the seat waits for them
//                   "CMD_seatfreed+SEAT+NAME"         NAME did not come back in time

#include <optional>
#include <string>
#include <string_view>

namespace core::msg {

namespace toHost {
std::string canholdseat(int slot);
std::string reclaimseat(int slot, std::string_view token);
} // namespace toHost

namespace toClient {
std::string seattoken(int seat, int seconds, std::string_view token);
std::string seatreclaimed(int seat);
std::string seatheld(int seat, int seconds, std::string_view name);
std::string seatfreed(int seat, std::string_view name);
} // namespace toClient

// "CMD_reclaimseat" (slot, token) and "CMD_seattoken" (seat, seconds, token).
struct SeatTokenFields {
    int slot = 0;
    int seconds = 0;
    std::string token;
};
std::optional<SeatTokenFields> parseReclaimseat(std::string_view payload);
std::optional<SeatTokenFields> parseSeattoken(std::string_view payload);

// "CMD_seatheld" (seat, seconds, name) and "CMD_seatfreed" (seat, name; seconds 0).
struct SeatHeldFields {
    int seat = 0;
    int seconds = 0;
    std::string name;
};
std::optional<SeatHeldFields> parseSeatheld(std::string_view payload);
std::optional<SeatHeldFields> parseSeatfreed(std::string_view payload);

} // namespace core::msg
