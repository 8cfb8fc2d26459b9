// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Looks for the tables announced on the local network (DNS-SD type "_bramblies._tcp") through
// the Avahi daemon and follows them: a service found or whose fields changed is reported with
// its address, port and TXT fields; one that went away is reported gone (all of them when the
// daemon goes). Without a daemon it waits for one. Reports reach the owner through post().

#include "net/qt/netlibraries.h"

#include <memory>

namespace ui {

class AvahiBrowsing : public ServiceBrowsing {
public:
    // Null when Avahi's poll thread or client could not be made.
    static std::unique_ptr<AvahiBrowsing> start(ServiceEvents events);
    ~AvahiBrowsing() override;

private:
    struct State;
    explicit AvahiBrowsing(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace ui
