// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/mappingreport.h"

#include "net/fields.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace core {

namespace {

std::optional<std::uint32_t> parseIpv4(std::string_view text) {
    std::uint32_t value = 0;
    for (int part = 0; part < 4; ++part) {
        auto dot = text.find('.');
        if ((part < 3) != (dot != std::string_view::npos)) return std::nullopt;
        std::string_view digits = text.substr(0, dot);
        if (digits.empty() || digits.size() > 3 || digits.front() == '-') return std::nullopt;
        auto n = parseInt(digits);
        if (!n || *n > 255) return std::nullopt;
        value = value << 8 | static_cast<std::uint32_t>(*n);
        text = part < 3 ? text.substr(dot + 1) : std::string_view();
    }
    return value;
}

struct Range {
    std::uint32_t base;
    int bits;
};

constexpr std::uint32_t ip(int a, int b, int c, int d) {
    return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(b) << 16 |
           static_cast<std::uint32_t>(c) << 8 | static_cast<std::uint32_t>(d);
}

// Addresses of networks behind the router's own: another NAT stands between it and the
// internet.
constexpr std::array<Range, 4> kBehindNat{{
    {ip(10, 0, 0, 0), 8},
    {ip(100, 64, 0, 0), 10},
    {ip(172, 16, 0, 0), 12},
    {ip(192, 168, 0, 0), 16},
}};

// Addresses nobody outside can connect to at all: "this network", loopback, link-local (a
// router without an address of its own), multicast, and the reserved range that ends with
// the broadcast address.
constexpr std::array<Range, 5> kUnusable{{
    {ip(0, 0, 0, 0), 8},
    {ip(127, 0, 0, 0), 8},
    {ip(169, 254, 0, 0), 16},
    {ip(224, 0, 0, 0), 4},
    {ip(240, 0, 0, 0), 4},
}};

template <std::size_t N> bool inAny(std::uint32_t address, const std::array<Range, N>& ranges) {
    return std::any_of(ranges.begin(), ranges.end(), [address](const Range& r) {
        return (address >> (32 - r.bits)) == (r.base >> (32 - r.bits));
    });
}

} // namespace

bool isUnreachableAddress(std::string_view text) {
    auto address = parseIpv4(text);
    return !address || inAny(*address, kBehindNat) || inAny(*address, kUnusable);
}

std::string mappingReport(const MappingOutcome& o, int port) {
    const std::string unknown = "Nobody could tell whether players outside your network can "
                                "reach this table on port " +
                                std::to_string(port) + ": ";
    const std::string cannot = "Players outside your network cannot reach this table: ";
    switch (o.kind) {
    case MappingOutcome::Kind::NoAnswer:
        return unknown + "no router answered.";
    case MappingOutcome::Kind::Refused:
        return unknown + "the router refused to forward it (" + o.reason + ").";
    case MappingOutcome::Kind::Garbled:
        return unknown + "the router's answer made no sense.";
    case MappingOutcome::Kind::Missing:
        // The module is optional in the package; these are the libraries it needs.
        return unknown + "port mapping is not installed (it needs libminiupnpc17 and libnatpmp1).";
    case MappingOutcome::Kind::Mapped:
        break;
    }
    const std::string external = std::to_string(o.externalPort);
    if (o.externalAddress.empty())
        return "Players outside your network can reach this table on port " + external +
               " of your router, which did not say its address.";
    auto address = parseIpv4(o.externalAddress);
    if (!address || inAny(*address, kUnusable))
        return cannot + "your router reported an address nobody can use.";
    if (inAny(*address, kBehindNat))
        return cannot + "your router is behind another network (carrier-grade NAT).";
    return "Players outside your network can reach this table at " + o.externalAddress + ":" +
           external + ".";
}

int renewalDelayMs(std::int64_t lifetimeSeconds) {
    constexpr std::int64_t kDaySeconds = 24 * 60 * 60;
    if (lifetimeSeconds <= 0) return 0;
    return static_cast<int>(std::min(lifetimeSeconds, kDaySeconds) * 500);
}

} // namespace core
