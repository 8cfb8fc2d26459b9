// SPDX-License-Identifier: GPL-3.0-or-later
// The module's entry: the libraries behind port mapping and DNS-SD, handed to the program.
#include "net/qt/netlibraries.h"
#include "net/qt/netmodule/avahiannouncement.h"
#include "net/qt/netmodule/avahibrowsing.h"
#include "net/qt/netmodule/natpmpmapping.h"
#include "net/qt/netmodule/upnpmapping.h"

namespace ui {
namespace {

class ModuleLibraries : public NetLibraries {
public:
    std::unique_ptr<RouterMapping> upnp(const PortMappingConfig& config) const override {
        return std::make_unique<UpnpMapping>(config);
    }
    std::unique_ptr<RouterMapping> natpmp(const PortMappingConfig& config) const override {
        return std::make_unique<NatpmpMapping>(config);
    }
    std::unique_ptr<ServiceAnnouncement> announce(const std::string& serviceName,
                                                  std::uint16_t port,
                                                  ServiceEvents events) const override {
        return AvahiAnnouncement::start(serviceName, port, std::move(events));
    }
    std::unique_ptr<ServiceBrowsing> browse(ServiceEvents events) const override {
        return AvahiBrowsing::start(std::move(events));
    }
};

} // namespace
} // namespace ui

const ui::NetLibraries* bramblies_net_libraries_v1() {
    static const ui::ModuleLibraries libraries;
    return &libraries;
}
