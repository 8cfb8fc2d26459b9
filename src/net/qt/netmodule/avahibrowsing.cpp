// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt/netmodule/avahibrowsing.h"

#include "net/tableannouncement.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/address.h>
#include <avahi-common/error.h>
#include <avahi-common/strlst.h>
#include <avahi-common/thread-watch.h>

#include <map>
#include <string>
#include <tuple>

namespace ui {

// Callbacks run on Avahi's poll thread; what they find is handed to the owner's thread.
struct AvahiBrowsing::State {
    using Key = std::tuple<int, std::string, std::string>; // interface, name, domain

    ServiceEvents events;
    AvahiThreadedPoll* poll = nullptr;
    AvahiClient* client = nullptr;
    AvahiServiceBrowser* browser = nullptr;
    std::map<Key, AvahiServiceResolver*> resolvers;

    ~State() {
        if (poll) avahi_threaded_poll_stop(poll);
        if (client) avahi_client_free(client); // frees the browser and resolvers with it
        if (poll) avahi_threaded_poll_free(poll);
    }

    void browse() {
        if (browser) return;
        browser = avahi_service_browser_new(client, AVAHI_IF_UNSPEC, AVAHI_PROTO_INET,
                                            core::kTableServiceType, nullptr, AvahiLookupFlags(0),
                                            &State::browsed, this);
    }

    // Every table found so far is gone when the daemon goes.
    void forgetAll() {
        for (const auto& [key, resolver] : resolvers) {
            (void)resolver;
            gone(std::get<1>(key), std::get<2>(key), std::get<0>(key));
        }
        resolvers.clear();
        browser = nullptr;
    }

    void gone(const std::string& name, const std::string& domain, int interfaceIndex) {
        events.post([events = events, name, domain, interfaceIndex] {
            if (events.gone) events.gone(name, domain, interfaceIndex);
        });
    }

    void reconnect() {
        avahi_threaded_poll_lock(poll);
        if (client && avahi_client_get_state(client) == AVAHI_CLIENT_FAILURE) {
            avahi_client_free(client);
            int error = 0;
            client = avahi_client_new(avahi_threaded_poll_get(poll), AVAHI_CLIENT_NO_FAIL,
                                      &State::clientChanged, this, &error);
        }
        avahi_threaded_poll_unlock(poll);
    }

    static void clientChanged(AvahiClient* c, AvahiClientState state, void* data) {
        auto* self = static_cast<State*>(data);
        self->client = c;
        if (state == AVAHI_CLIENT_S_RUNNING) {
            self->browse();
        } else if (state == AVAHI_CLIENT_FAILURE) {
            self->forgetAll();
            if (avahi_client_errno(c) == AVAHI_ERR_DISCONNECTED)
                self->events.post([self] { self->reconnect(); });
        }
    }

    static void browsed(AvahiServiceBrowser*, AvahiIfIndex interfaceIndex, AvahiProtocol protocol,
                        AvahiBrowserEvent event, const char* name, const char* type,
                        const char* domain, AvahiLookupResultFlags, void* data) {
        auto* self = static_cast<State*>(data);
        if (event != AVAHI_BROWSER_NEW && event != AVAHI_BROWSER_REMOVE) return;
        const Key key{interfaceIndex, name, domain};
        auto it = self->resolvers.find(key);
        if (event == AVAHI_BROWSER_NEW) {
            if (it != self->resolvers.end()) return;
            // The resolver stays: it reports the service again whenever its fields change.
            AvahiServiceResolver* r = avahi_service_resolver_new(
                self->client, interfaceIndex, protocol, name, type, domain, AVAHI_PROTO_INET,
                AvahiLookupFlags(0), &State::resolved, self);
            if (r) self->resolvers.emplace(key, r);
            return;
        }
        if (it == self->resolvers.end()) return;
        avahi_service_resolver_free(it->second);
        self->resolvers.erase(it);
        self->gone(name, domain, interfaceIndex);
    }

    static void resolved(AvahiServiceResolver*, AvahiIfIndex interfaceIndex, AvahiProtocol,
                         AvahiResolverEvent event, const char* name, const char*,
                         const char* domain, const char*, const AvahiAddress* address,
                         uint16_t port, AvahiStringList* txt, AvahiLookupResultFlags, void* data) {
        auto* self = static_cast<State*>(data);
        if (event != AVAHI_RESOLVER_FOUND || !address) return;
        ServiceFound found{name, domain, interfaceIndex, {}, port, {}};
        for (AvahiStringList* s = txt; s; s = avahi_string_list_get_next(s))
            found.txt.emplace_back(reinterpret_cast<const char*>(avahi_string_list_get_text(s)),
                                   avahi_string_list_get_size(s));
        char text[AVAHI_ADDRESS_STR_MAX] = {};
        avahi_address_snprint(text, sizeof text, address);
        found.address = text;
        self->events.post([events = self->events, found = std::move(found)] {
            if (events.found) events.found(found);
        });
    }
};

std::unique_ptr<AvahiBrowsing> AvahiBrowsing::start(ServiceEvents events) {
    auto state = std::make_unique<State>();
    state->events = std::move(events);
    state->poll = avahi_threaded_poll_new();
    if (!state->poll) return nullptr;
    int error = 0;
    state->client = avahi_client_new(avahi_threaded_poll_get(state->poll), AVAHI_CLIENT_NO_FAIL,
                                     &State::clientChanged, state.get(), &error);
    if (!state->client || avahi_threaded_poll_start(state->poll) < 0) return nullptr;
    return std::unique_ptr<AvahiBrowsing>(new AvahiBrowsing(std::move(state)));
}

AvahiBrowsing::AvahiBrowsing(std::unique_ptr<State> state) : m_state(std::move(state)) {}

AvahiBrowsing::~AvahiBrowsing() = default;

} // namespace ui
