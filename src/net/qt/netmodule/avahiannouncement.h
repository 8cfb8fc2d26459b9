// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Announces one table through the Avahi daemon: service type "_bramblies._tcp", the game port
// and the TXT fields it is given. Without a running daemon it waits for one; a daemon that
// restarts is picked up again. Avahi's calls run on its own poll thread.

#include "net/qt/netlibraries.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {

class AvahiAnnouncement : public ServiceAnnouncement {
public:
    // Null when Avahi's poll thread or client could not be made.
    static std::unique_ptr<AvahiAnnouncement> start(const std::string& serviceName,
                                                    std::uint16_t port, ServiceEvents events);
    ~AvahiAnnouncement() override;

    void setTxt(std::vector<std::string> txt) override;

private:
    struct State;
    explicit AvahiAnnouncement(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace ui
