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
        Missing,  // this copy cannot ask: the router libraries' module is not installed
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

// One sentence for the hosting player: whether players outside the local network can reach
// this table, and where ("... at ADDRESS:PORT.", "... on port PORT of your router ..."); that
// they cannot (the router's address is itself behind another NAT, or nobody can be reached at
// it: broadcast, multicast, loopback, not an address); or that nobody could tell whether they
// can reach `port` here, and why (no router answered, it refused, its answer made no sense,
// the module is missing).
std::string mappingReport(const MappingOutcome& outcome, int port);

// When to ask again for a mapping the router granted for lifetimeSeconds: half way through,
// in milliseconds. The router may grant anything up to 2^32 - 1 seconds; a lifetime over a
// day counts as a day, so the delay always fits a timer. 0 (never lapses) or less: 0, never.
int renewalDelayMs(std::int64_t lifetimeSeconds);

} // namespace core
