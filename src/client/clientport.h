// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the table client needs from its surroundings, one interface per concern:
//   ClientTransport     the connection to the host, the companion, listening, reconnecting;
//   ClientPresentation  chat lines, sounds, message boxes, the board and the dice animation;
//   ClientMenus         menu items, the spectator list and the other windows;
//   ClientRecords       the settings file and the tally.
// The window implements each with a small adapter of its own (src/client/qt); tests implement
// all four with one recording fake. ClientPorts carries the four to the client.

#include "client/clientmenus.h"
#include "client/clientpresentation.h"
#include "client/clientrecords.h"
#include "client/clienttransport.h"

#include <concepts>

namespace core {

struct ClientPorts {
    ClientPorts(ClientTransport& t, ClientPresentation& p, ClientMenus& m, ClientRecords& r)
        : transport(t), presentation(p), menus(m), records(r) {}
    // One object that is all four at once (a test's recording fake).
    template <class All>
    requires std::derived_from<All, ClientTransport> &&
        std::derived_from<All, ClientPresentation> && std::derived_from<All, ClientMenus> &&
        std::derived_from<All, ClientRecords>
        ClientPorts(All& all) : ClientPorts(all, all, all, all) {}

    ClientTransport& transport;
    ClientPresentation& presentation;
    ClientMenus& menus;
    ClientRecords& records;
};

} // namespace core
