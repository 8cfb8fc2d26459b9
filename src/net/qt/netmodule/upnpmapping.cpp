// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt/netmodule/upnpmapping.h"

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnperrors.h>

#include <string>

namespace ui {

namespace {

constexpr const char* kDescription = "Bramblies";
constexpr const char* kProtocol = "TCP";
// Error 725: the router only grants permanent mappings (lease 0).
constexpr int kOnlyPermanentLeases = 725;

std::string upnpReason(int code) {
    const char* text = strupnperror(code);
    std::string number = std::to_string(code);
    return text ? std::string(text) + " (" + number + ")" : "error " + number;
}

} // namespace

struct UpnpMapping::Igd {
    UPNPUrls urls{};
    IGDdatas data{};
    char lanAddress[64] = {};
    ~Igd() { FreeUPNPUrls(&urls); }
};

UpnpMapping::UpnpMapping(PortMappingConfig config) : m_config(std::move(config)) {}

UpnpMapping::~UpnpMapping() {
    close();
}

core::MappingOutcome UpnpMapping::open(int port) {
    using Kind = core::MappingOutcome::Kind;
    m_igd = std::make_unique<Igd>();
    int found = 0;
    if (!m_config.igdUrl.empty()) {
        found = UPNP_GetIGDFromUrl(m_config.igdUrl.c_str(), &m_igd->urls, &m_igd->data,
                                   m_igd->lanAddress, sizeof m_igd->lanAddress);
    } else {
        int error = 0;
        const char* multicastIf =
            m_config.multicastIf.empty() ? nullptr : m_config.multicastIf.c_str();
        UPNPDev* devices = upnpDiscover(m_config.discoveryMs, multicastIf, nullptr,
                                        UPNP_LOCAL_PORT_ANY, 0, 2, &error);
        if (devices) {
            found = UPNP_GetValidIGD(devices, &m_igd->urls, &m_igd->data, m_igd->lanAddress,
                                     sizeof m_igd->lanAddress);
            freeUPNPDevlist(devices);
        }
    }
    // 1: a connected gateway; 2: a gateway that says it is not connected (still worth
    // asking); 3: some other UPnP device.
    if (found != 1 && found != 2) {
        m_igd.reset();
        return {Kind::NoAnswer, {}, 0, {}};
    }

    m_port = port;
    m_lease = m_config.leaseSeconds;
    int result = add();
    if (result == kOnlyPermanentLeases) {
        m_lease = 0;
        result = add();
    }
    if (result != UPNPCOMMAND_SUCCESS) return {Kind::Refused, {}, 0, upnpReason(result)};
    m_mapped = true;

    char external[64] = {};
    const auto& service = m_igd->data.first;
    if (UPNP_GetExternalIPAddress(m_igd->urls.controlURL, service.servicetype, external) !=
        UPNPCOMMAND_SUCCESS)
        external[0] = '\0';
    return {Kind::Mapped, external, port, {}};
}

int UpnpMapping::add() {
    const std::string port = std::to_string(m_port);
    const std::string lease = std::to_string(m_lease);
    return UPNP_AddPortMapping(m_igd->urls.controlURL, m_igd->data.first.servicetype, port.c_str(),
                               port.c_str(), m_igd->lanAddress, kDescription, kProtocol, nullptr,
                               lease.c_str());
}

bool UpnpMapping::renew() {
    if (!m_mapped) return false;
    return add() == UPNPCOMMAND_SUCCESS;
}

void UpnpMapping::close() {
    if (!m_mapped) return;
    m_mapped = false;
    const std::string port = std::to_string(m_port);
    UPNP_DeletePortMapping(m_igd->urls.controlURL, m_igd->data.first.servicetype, port.c_str(),
                           kProtocol, nullptr);
}

} // namespace ui
