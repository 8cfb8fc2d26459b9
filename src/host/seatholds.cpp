// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/seatholds.h"

namespace core {

std::optional<SeatToken> SeatHolds::issue(int seat) {
    if (!valid(seat)) return std::nullopt;
    Seat& s = at(seat);
    s = Seat{};
    s.token = newSeatToken();
    return s.token;
}

bool SeatHolds::hold(int seat, std::string name, std::int64_t deadlineMs, bool watching) {
    if (!hasToken(seat)) return false;
    Seat& s = at(seat);
    s.held = true;
    s.name = std::move(name);
    s.watching = watching;
    s.deadlineMs = deadlineMs;
    return true;
}

void SeatHolds::revoke(int seat) {
    if (valid(seat)) at(seat) = Seat{};
}

std::optional<SeatHolds::Ended> SeatHolds::reclaim(const SeatToken& token) {
    // Every seat is compared, matched or not, so the time taken tells nothing.
    int found = 0;
    for (int seat = 1; seat <= kSeatCount; ++seat) {
        const Seat& s = at(seat);
        const SeatToken& mine = s.token ? *s.token : SeatToken{};
        const bool same = sameSeatToken(mine, token);
        if (same && s.held && s.token && found == 0) found = seat;
    }
    if (found == 0) return std::nullopt;
    Ended back{found, std::move(at(found).name), at(found).watching};
    at(found) = Seat{};
    return back;
}

std::vector<SeatHolds::Ended> SeatHolds::expire(std::int64_t nowMs) {
    std::vector<Ended> ended;
    for (int seat = 1; seat <= kSeatCount; ++seat) {
        Seat& s = at(seat);
        if (!s.held || s.deadlineMs > nowMs) continue;
        ended.push_back({seat, std::move(s.name), s.watching});
        s = Seat{};
    }
    return ended;
}

std::optional<std::int64_t> SeatHolds::nextDeadline() const {
    std::optional<std::int64_t> next;
    for (int seat = 1; seat <= kSeatCount; ++seat) {
        const Seat& s = at(seat);
        if (s.held && (!next || s.deadlineMs < *next)) next = s.deadlineMs;
    }
    return next;
}

std::vector<SeatHolds::Ended> SeatHolds::clear() {
    std::vector<Ended> ended;
    for (int seat = 1; seat <= kSeatCount; ++seat)
        if (const Seat& s = at(seat); s.held) ended.push_back({seat, s.name, s.watching});
    m_seats.fill(Seat{});
    return ended;
}

} // namespace core
