// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Forwards a TCP port through a UPnP Internet Gateway Device with libminiupnpc. Every call
// blocks (discovery for up to the configured limit, each SOAP exchange for libminiupnpc's own
// few seconds), so it runs off the user-interface thread.

#include "net/qt/netlibraries.h"

#include <memory>
#include <string>

namespace ui {

class UpnpMapping : public RouterMapping {
public:
    explicit UpnpMapping(PortMappingConfig config);
    ~UpnpMapping() override;
    UpnpMapping(const UpnpMapping&) = delete;
    UpnpMapping& operator=(const UpnpMapping&) = delete;

    // Finds the router and asks it to forward the port. NoAnswer when no gateway device
    // answered: the caller may try another method then.
    core::MappingOutcome open(int port) override;
    // Asks again for the same mapping; false when the router no longer grants it.
    bool renew() override;
    // Removes the mapping made by open(), if any.
    void close() override;
    // When to renew: half the lease, in milliseconds; 0 when the mapping never expires.
    std::int64_t lifetimeSeconds() const override { return m_lease; }

private:
    int add();

    struct Igd;
    PortMappingConfig m_config;
    std::unique_ptr<Igd> m_igd;
    int m_port = 0;
    int m_lease = 0;
    bool m_mapped = false;
};

} // namespace ui
