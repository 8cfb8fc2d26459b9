// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lobby session the programs sign in with. Its XMPP client lives in lobby/qt/xmpp; until
// that is linked into the programs this answers null, and the dedicated host then says in its
// log that its table is not listed.

#include "lobby/lobbysession.h"

#include <memory>

namespace ui {

std::unique_ptr<lobby::LobbySession> makeLobbySession();

} // namespace ui
