// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/lobbysessionfactory.h"

#include "lobby/qt/xmpp/xmppsession.h"

namespace ui {

std::unique_ptr<lobby::LobbySession> makeLobbySession() {
    return std::make_unique<lobby::XmppSession>();
}

} // namespace ui
