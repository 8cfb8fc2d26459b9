// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lobby session the programs sign in with: the XMPP client of lobby/qt/xmpp.

#include "lobby/lobbysession.h"

#include <memory>

namespace ui {

std::unique_ptr<lobby::LobbySession> makeLobbySession();

} // namespace ui
