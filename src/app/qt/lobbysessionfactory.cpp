// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/lobbysessionfactory.h"

namespace ui {

std::unique_ptr<lobby::LobbySession> makeLobbySession() {
    return nullptr;
}

} // namespace ui
