// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time limits and overrides of the port mapping. The defaults are the program's; tests use
// short limits and point the clients at routers of their own.

#include <string>

namespace ui {

struct PortMappingConfig {
    int discoveryMs = 2000;     // how long UPnP discovery waits for a router to answer
    int natpmpTimeoutMs = 2000; // how long one NAT-PMP request waits for its answer
    int leaseSeconds = 3600;    // lease asked for; renewed at half of what was granted
    std::string igdUrl;         // a router description URL: skips UPnP discovery
    std::string multicastIf;    // the address UPnP discovery sends from (empty: the system's)
    std::string natpmpGateway;  // the NAT-PMP gateway (empty: the default route's)
    bool useUpnp = true;
    bool useNatpmp = true;
};

} // namespace ui
