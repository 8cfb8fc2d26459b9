// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The router and DNS-SD libraries (libminiupnpc, libnatpmp, the Avahi client) are reached
// through a module of their own, bramblies_net, opened the first time a copy maps its port,
// announces its table or looks for tables: a copy that does none of these never loads them.
// The module is found beside the executable or in ../lib/bramblies from it. Without it
// netLibraries() is null and the features say what they say when no router or daemon answers.
//
// The interface below is all the module and the program share; it holds no Qt.

#include "net/mappingreport.h"
#include "net/qt/portmappingconfig.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// One way of asking the router for the port (UPnP or NAT-PMP). Every call blocks on the
// network, so it is used off the user-interface thread.
class RouterMapping {
public:
    virtual ~RouterMapping() = default; // removes the mapping, if any
    // NoAnswer when no gateway answered: the caller may try another way then.
    virtual core::MappingOutcome open(int port) = 0;
    // Asks again for the same mapping; false when the router no longer grants it.
    virtual bool renew() = 0;
    virtual void close() = 0;
    // How long the router granted the mapping for, in seconds, as it said; 0 when it never
    // expires. The owner renews half way through (core::renewalDelayMs).
    virtual std::int64_t lifetimeSeconds() const = 0;
};

// A table as DNS-SD resolved it: its TXT fields as they came.
struct ServiceFound {
    std::string name;
    std::string domain;
    int interfaceIndex = 0;
    std::string address;
    std::uint16_t port = 0;
    std::vector<std::string> txt;
};

// How the module reaches its owner. post() runs a job later on the owner's thread (dropped if
// the owner is gone by then); the module calls the other three only through post().
struct ServiceEvents {
    std::function<void(std::function<void()>)> post;
    std::function<void(const std::string& name)> established;
    std::function<void(const ServiceFound&)> found;
    std::function<void(const std::string& name, const std::string& domain, int interfaceIndex)>
        gone;
};

// A table announced while this lives; the TXT fields can change.
class ServiceAnnouncement {
public:
    virtual ~ServiceAnnouncement() = default;
    virtual void setTxt(std::vector<std::string> txt) = 0;
};

// Tables are looked for while this lives.
class ServiceBrowsing {
public:
    virtual ~ServiceBrowsing() = default;
};

class NetLibraries {
public:
    virtual ~NetLibraries() = default;
    virtual std::unique_ptr<RouterMapping> upnp(const PortMappingConfig& config) const = 0;
    virtual std::unique_ptr<RouterMapping> natpmp(const PortMappingConfig& config) const = 0;
    // Null when the Avahi client could not be set up at all.
    virtual std::unique_ptr<ServiceAnnouncement>
    announce(const std::string& serviceName, std::uint16_t port, ServiceEvents events) const = 0;
    virtual std::unique_ptr<ServiceBrowsing> browse(ServiceEvents events) const = 0;
};

// The module's libraries, opened on the first call (from any thread); null without the module.
const NetLibraries* netLibraries();

} // namespace ui

// The one symbol the module exports, by this name. The number changes whenever the interface
// above does, so that a module left over from another version is never used.
inline constexpr const char* kNetLibrariesEntry = "bramblies_net_libraries_v1";
extern "C" __attribute__((visibility("default"))) const ui::NetLibraries*
bramblies_net_libraries_v1();
