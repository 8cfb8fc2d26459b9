// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt/netmodule/natpmpmapping.h"

#include <arpa/inet.h>
#include <natpmp.h>
#include <sys/select.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace ui {

namespace {

using Clock = std::chrono::steady_clock;

// Answers that come from the gateway itself: it is there and said no.
bool isGatewayRefusal(int result) {
    return result == NATPMP_ERR_UNSUPPORTEDVERSION || result == NATPMP_ERR_UNSUPPORTEDOPCODE ||
           (result <= NATPMP_ERR_UNDEFINEDERROR && result >= NATPMP_ERR_OUTOFRESOURCES);
}

std::string natpmpReason(int result) {
    switch (result) {
    case NATPMP_ERR_NOTAUTHORIZED:
        return "not authorised";
    case NATPMP_ERR_NETWORKFAILURE:
        return "network failure";
    case NATPMP_ERR_OUTOFRESOURCES:
        return "out of resources";
    case NATPMP_ERR_UNSUPPORTEDVERSION:
        return "unsupported version";
    case NATPMP_ERR_UNSUPPORTEDOPCODE:
        return "unsupported request";
    default:
        return "error " + std::to_string(-result);
    }
}

// libnatpmp gives "unsupported version" and "unsupported request" both for a gateway that
// said so (result codes 1 and 5) and for a datagram whose header is not a NAT-PMP answer at
// all; only the first is the router saying no.
core::MappingOutcome failure(int result, const natpmpresp_t& response) {
    using Kind = core::MappingOutcome::Kind;
    if (!isGatewayRefusal(result)) return {Kind::NoAnswer, {}, 0, {}};
    if ((result == NATPMP_ERR_UNSUPPORTEDVERSION && response.resultcode != 1) ||
        (result == NATPMP_ERR_UNSUPPORTEDOPCODE && response.resultcode != 5))
        return {Kind::Garbled, {}, 0, {}};
    return {Kind::Refused, {}, 0, natpmpReason(result)};
}

} // namespace

struct NatpmpMapping::Session {
    natpmp_t natpmp{};
    natpmpresp_t response{};
    int timeoutMs = 0;
    ~Session() { closenatpmp(&natpmp); }

    // Waits for the answer to the request just sent, retrying as libnatpmp schedules, until
    // the time limit. Returns 0 or a NATPMP_ERR_* value.
    int await() {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
            if (left.count() <= 0) return NATPMP_TRYAGAIN;
            timeval wait{};
            getnatpmprequesttimeout(&natpmp, &wait);
            const long long waitUs = std::min<long long>(
                left.count(), std::max<long long>(0, wait.tv_sec * 1000000LL + wait.tv_usec));
            wait.tv_sec = static_cast<time_t>(waitUs / 1000000);
            wait.tv_usec = static_cast<suseconds_t>(waitUs % 1000000);
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(natpmp.s, &fds);
            select(natpmp.s + 1, &fds, nullptr, nullptr, &wait);
            const int r = readnatpmpresponseorretry(&natpmp, &response);
            if (r != NATPMP_TRYAGAIN) return r;
        }
    }
};

NatpmpMapping::NatpmpMapping(PortMappingConfig config) : m_config(std::move(config)) {}

NatpmpMapping::~NatpmpMapping() {
    close();
}

core::MappingOutcome NatpmpMapping::open(int port) {
    using Kind = core::MappingOutcome::Kind;
    m_session = std::make_unique<Session>();
    m_session->timeoutMs = m_config.natpmpTimeoutMs;
    const bool forced = !m_config.natpmpGateway.empty();
    const in_addr_t gateway = forced ? inet_addr(m_config.natpmpGateway.c_str()) : 0;
    if (initnatpmp(&m_session->natpmp, forced ? 1 : 0, gateway) != 0) {
        m_session.reset();
        return {Kind::NoAnswer, {}, 0, {}};
    }

    sendpublicaddressrequest(&m_session->natpmp);
    int r = m_session->await();
    if (r < 0) {
        core::MappingOutcome outcome = failure(r, m_session->response);
        m_session.reset();
        return outcome;
    }
    char external[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &m_session->response.pnu.publicaddress.addr, external, sizeof external);

    m_port = port;
    r = requestMapping(static_cast<unsigned>(std::max(1, m_config.leaseSeconds)));
    if (r < 0) {
        core::MappingOutcome outcome = failure(r, m_session->response);
        m_session.reset();
        return outcome;
    }
    m_mapped = true;
    return {Kind::Mapped, external, m_publicPort, {}};
}

int NatpmpMapping::requestMapping(unsigned lifetime) {
    const auto p = static_cast<uint16_t>(m_port);
    sendnewportmappingrequest(&m_session->natpmp, NATPMP_PROTOCOL_TCP, p,
                              static_cast<uint16_t>(m_publicPort ? m_publicPort : m_port),
                              lifetime);
    const int r = m_session->await();
    if (r >= 0 && lifetime > 0) {
        m_publicPort = m_session->response.pnu.newportmapping.mappedpublicport;
        m_lifetime = m_session->response.pnu.newportmapping.lifetime;
    }
    return r;
}

bool NatpmpMapping::renew() {
    if (!m_mapped) return false;
    return requestMapping(static_cast<unsigned>(std::max(1, m_config.leaseSeconds))) >= 0;
}

void NatpmpMapping::close() {
    if (!m_mapped) return;
    m_mapped = false;
    // A lifetime of 0 removes the mapping.
    requestMapping(0);
    m_session.reset();
}

} // namespace ui
