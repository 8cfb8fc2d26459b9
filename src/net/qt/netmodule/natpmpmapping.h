// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Forwards a TCP port through a NAT-PMP gateway with libnatpmp. Each request waits at most
// the configured time for its answer; the calls block, so they run off the user-interface
// thread.

#include "net/qt/netlibraries.h"

#include <memory>

namespace ui {

class NatpmpMapping : public RouterMapping {
public:
    explicit NatpmpMapping(PortMappingConfig config);
    ~NatpmpMapping() override;
    NatpmpMapping(const NatpmpMapping&) = delete;
    NatpmpMapping& operator=(const NatpmpMapping&) = delete;

    core::MappingOutcome open(int port) override;
    bool renew() override;
    void close() override;
    std::int64_t lifetimeSeconds() const override { return m_lifetime; }

private:
    struct Session;
    // Sends a mapping request and waits for its answer; returns libnatpmp's result.
    int requestMapping(unsigned lifetime);

    PortMappingConfig m_config;
    std::unique_ptr<Session> m_session;
    int m_port = 0;
    int m_publicPort = 0;
    unsigned m_lifetime = 0;
    bool m_mapped = false;
};

} // namespace ui
