#include "net/qt/tableannouncer.h"

#include <avahi-client/client.h>
#include <avahi-client/publish.h>
#include <avahi-common/alternative.h>
#include <avahi-common/error.h>
#include <avahi-common/malloc.h>
#include <avahi-common/strlst.h>
#include <avahi-common/thread-watch.h>

#include <string>
#include <vector>

namespace ui {

// Everything here but the constructor and destructor runs on Avahi's poll thread, or on the
// caller's thread with the poll lock held.
struct TableAnnouncer::Avahi {
    TableAnnouncer* owner = nullptr;
    AvahiThreadedPoll* poll = nullptr;
    AvahiClient* client = nullptr;
    AvahiEntryGroup* group = nullptr;
    std::string name;
    quint16 port = 0;
    std::vector<std::string> txt;
    bool haveTxt = false;

    ~Avahi() {
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
        if (!group) group = avahi_entry_group_new(client, &Avahi::groupChanged, this);
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
                                      &Avahi::clientChanged, this, &error);
        }
        avahi_threaded_poll_unlock(poll);
    }

    static void groupChanged(AvahiEntryGroup* g, AvahiEntryGroupState state, void* data) {
        auto* self = static_cast<Avahi*>(data);
        self->group = g;
        if (state == AVAHI_ENTRY_GROUP_COLLISION) {
            self->renameAndRetry();
        } else if (state == AVAHI_ENTRY_GROUP_ESTABLISHED) {
            const QString name = QString::fromStdString(self->name);
            QMetaObject::invokeMethod(
                self->owner, [owner = self->owner, name] { emit owner->established(name); });
        }
    }

    static void clientChanged(AvahiClient* c, AvahiClientState state, void* data) {
        auto* self = static_cast<Avahi*>(data);
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
                QMetaObject::invokeMethod(self->owner, [self] { self->reconnect(); });
            break;
        case AVAHI_CLIENT_CONNECTING:
            break;
        }
    }
};

TableAnnouncer::TableAnnouncer(QString serviceName, quint16 port, QObject* parent)
    : QObject(parent), m_avahi(std::make_unique<Avahi>()) {
    m_pending.setSingleShot(true);
    connect(&m_pending, &QTimer::timeout, this, &TableAnnouncer::publish);
    m_avahi->owner = this;
    m_avahi->name = serviceName.toStdString();
    m_avahi->port = port;
    m_avahi->poll = avahi_threaded_poll_new();
    if (!m_avahi->poll) return;
    int error = 0;
    // NO_FAIL: without a daemon the client waits for one instead of failing.
    m_avahi->client = avahi_client_new(avahi_threaded_poll_get(m_avahi->poll), AVAHI_CLIENT_NO_FAIL,
                                       &Avahi::clientChanged, m_avahi.get(), &error);
    if (!m_avahi->client || avahi_threaded_poll_start(m_avahi->poll) < 0) m_avahi.reset();
}

TableAnnouncer::~TableAnnouncer() = default;

void TableAnnouncer::setTable(const core::TableAnnouncement& table) {
    if (m_haveTable && table == m_table) return;
    m_table = table;
    m_haveTable = true;
    m_dirty = true;
    if (m_pending.isActive()) return;
    const qint64 since = m_sinceUpdate.isValid() ? m_sinceUpdate.elapsed() : kMinUpdateIntervalMs;
    if (since >= kMinUpdateIntervalMs)
        publish();
    else
        m_pending.start(static_cast<int>(kMinUpdateIntervalMs - since));
}

void TableAnnouncer::publish() {
    if (!m_dirty) return;
    m_dirty = false;
    m_sinceUpdate.restart();
    if (!m_avahi) return;
    avahi_threaded_poll_lock(m_avahi->poll);
    m_avahi->txt = core::toTxt(m_table);
    m_avahi->haveTxt = true;
    m_avahi->updateTxt();
    avahi_threaded_poll_unlock(m_avahi->poll);
}

} // namespace ui
