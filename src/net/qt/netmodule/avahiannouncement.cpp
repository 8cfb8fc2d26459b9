// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt/netmodule/avahiannouncement.h"

#include "net/tableannouncement.h"

#include <avahi-client/client.h>
#include <avahi-client/publish.h>
#include <avahi-common/alternative.h>
#include <avahi-common/error.h>
#include <avahi-common/malloc.h>
#include <avahi-common/strlst.h>
#include <avahi-common/thread-watch.h>

namespace ui {

// Everything here but start and the destructor runs on Avahi's poll thread, or on the
// owner's thread with the poll lock held.
struct AvahiAnnouncement::State {
    ServiceEvents events;
    AvahiThreadedPoll* poll = nullptr;
    AvahiClient* client = nullptr;
    AvahiEntryGroup* group = nullptr;
    std::string name;
    std::uint16_t port = 0;
    std::vector<std::string> txt;
    bool haveTxt = false;

    ~State() {
        if (poll) avahi_threaded_poll_stop(poll);
        if (client) avahi_client_free(client); // frees the entry group with it
        if (poll) avahi_threaded_poll_free(poll);
    }

    AvahiStringList* txtList() const {
        AvahiStringList* list = nullptr;
        for (auto it = txt.rbegin(); it != txt.rend(); ++it)
            list = avahi_string_list_add(list, it->c_str());
        return list;
    }

    void registerService() {
        if (!client || !haveTxt || avahi_client_get_state(client) != AVAHI_CLIENT_S_RUNNING) return;
        if (!group) group = avahi_entry_group_new(client, &State::groupChanged, this);
        if (!group || !avahi_entry_group_is_empty(group)) return;
        AvahiStringList* list = txtList();
        int r = avahi_entry_group_add_service_strlst(
            group, AVAHI_IF_UNSPEC, AVAHI_PROTO_INET, AvahiPublishFlags(0), name.c_str(),
            core::kTableServiceType, nullptr, nullptr, port, list);
        avahi_string_list_free(list);
        if (r == AVAHI_ERR_COLLISION) {
            renameAndRetry();
            return;
        }
        if (r >= 0) avahi_entry_group_commit(group);
    }

    void updateTxt() {
        if (!group || avahi_entry_group_is_empty(group)) {
            registerService();
            return;
        }
        AvahiStringList* list = txtList();
        avahi_entry_group_update_service_txt_strlst(group, AVAHI_IF_UNSPEC, AVAHI_PROTO_INET,
                                                    AvahiPublishFlags(0), name.c_str(),
                                                    core::kTableServiceType, nullptr, list);
        avahi_string_list_free(list);
    }

    void renameAndRetry() {
        char* next = avahi_alternative_service_name(name.c_str());
        name = next;
        avahi_free(next);
        if (group) avahi_entry_group_reset(group);
        registerService();
    }

    // On the owner's thread: a new client that waits for the daemon to come back.
    void reconnect() {
        avahi_threaded_poll_lock(poll);
        if (client && avahi_client_get_state(client) == AVAHI_CLIENT_FAILURE) {
            group = nullptr;
            avahi_client_free(client);
            int error = 0;
            client = avahi_client_new(avahi_threaded_poll_get(poll), AVAHI_CLIENT_NO_FAIL,
                                      &State::clientChanged, this, &error);
        }
        avahi_threaded_poll_unlock(poll);
    }

    static void groupChanged(AvahiEntryGroup* g, AvahiEntryGroupState state, void* data) {
        auto* self = static_cast<State*>(data);
        self->group = g;
        if (state == AVAHI_ENTRY_GROUP_COLLISION) {
            self->renameAndRetry();
        } else if (state == AVAHI_ENTRY_GROUP_ESTABLISHED) {
            self->events.post([events = self->events, name = self->name] {
                if (events.established) events.established(name);
            });
        }
    }

    static void clientChanged(AvahiClient* c, AvahiClientState state, void* data) {
        auto* self = static_cast<State*>(data);
        self->client = c;
        switch (state) {
        case AVAHI_CLIENT_S_RUNNING:
            self->registerService();
            break;
        case AVAHI_CLIENT_S_COLLISION:
        case AVAHI_CLIENT_S_REGISTERING:
            if (self->group) avahi_entry_group_reset(self->group);
            break;
        case AVAHI_CLIENT_FAILURE:
            // The daemon went away: wait for it to come back and announce again.
            if (avahi_client_errno(c) == AVAHI_ERR_DISCONNECTED)
                self->events.post([self] { self->reconnect(); });
            break;
        case AVAHI_CLIENT_CONNECTING:
            break;
        }
    }
};

std::unique_ptr<AvahiAnnouncement>
AvahiAnnouncement::start(const std::string& serviceName, std::uint16_t port, ServiceEvents events) {
    auto state = std::make_unique<State>();
    state->events = std::move(events);
    state->name = serviceName;
    state->port = port;
    state->poll = avahi_threaded_poll_new();
    if (!state->poll) return nullptr;
    int error = 0;
    // NO_FAIL: without a daemon the client waits for one instead of failing.
    state->client = avahi_client_new(avahi_threaded_poll_get(state->poll), AVAHI_CLIENT_NO_FAIL,
                                     &State::clientChanged, state.get(), &error);
    if (!state->client || avahi_threaded_poll_start(state->poll) < 0) return nullptr;
    return std::unique_ptr<AvahiAnnouncement>(new AvahiAnnouncement(std::move(state)));
}

AvahiAnnouncement::AvahiAnnouncement(std::unique_ptr<State> state) : m_state(std::move(state)) {}

AvahiAnnouncement::~AvahiAnnouncement() = default;

void AvahiAnnouncement::setTxt(std::vector<std::string> txt) {
    avahi_threaded_poll_lock(m_state->poll);
    m_state->txt = std::move(txt);
    m_state->haveTxt = true;
    m_state->updateTxt();
    avahi_threaded_poll_unlock(m_state->poll);
}

} // namespace ui
