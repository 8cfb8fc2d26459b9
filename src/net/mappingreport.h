// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The outcome of asking the home router to forward the game port, and the one sentence the
// host is told about it (in the chat of the hosting copy, in the dedicated host's log).

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

struct MappingOutcome {
    enum class Kind {
        Mapped,   // the router forwards externalAddress:externalPort to this machine
        NoAnswer, // no router answered within the time limit
        Refused,  // a router answered and said no; reason says why
        Garbled,  // what came back from the router was no answer to the request
    };
    Kind kind = Kind::NoAnswer;
    std::string externalAddress;
    int externalPort = 0;
    std::string reason;
};

// True for an IPv4 address that players on the internet cannot reach: the private ranges,
// the shared carrier-grade NAT range 100.64.0.0/10, link-local, loopback, 0.0.0.0/8,
// multicast and the reserved range up to the broadcast address. Text that is not a dotted
// IPv4 address also counts as unreachable.
bool isUnreachableAddress(std::string_view ipv4);

// "Your game can be reached at ADDRESS:PORT", "No router answered", "The router refused:
// REASON", "The router's answer made no sense", or, for a mapping whose external address is
// itself behind another NAT, the carrier-grade NAT sentence. A router that gave no external
// address, or one nobody can be reached at (broadcast, multicast, loopback, not an address),
// is reported as such.
std::string mappingReport(const MappingOutcome& outcome);

// When to ask again for a mapping the router granted for lifetimeSeconds: half way through,
// in milliseconds. The router may grant anything up to 2^32 - 1 seconds; a lifetime over a
// day counts as a day, so the delay always fits a timer. 0 (never lapses) or less: 0, never.
int renewalDelayMs(std::int64_t lifetimeSeconds);

} // namespace core
