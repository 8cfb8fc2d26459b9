// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table client's say in the window's menus and its other windows: the items it enables
// or checks, the spectator list, the game options and the lobby download. The window's menus
// adapter implements it; tests implement it with a recording fake.

#include <string>

namespace core {

// A spectator at the table: one of the slots above the seats and the name it announced.
struct Spectator {
    int slot = 0;
    std::string name;
    bool operator==(const Spectator&) const = default;
};

class ClientMenus {
public:
    virtual ~ClientMenus() = default;

    virtual void showLobbyDownload() = 0;
    virtual void showGameOptions() = 0;
    virtual void addSpectator(const Spectator& spectator) = 0;
    virtual void removeSpectator(const Spectator& spectator) = 0;
    virtual void setStartGameEnabled(bool enabled) = 0; // File > "Start Game"
    virtual void setJustWatchChecked(bool checked) = 0; // Options > "Just Watch"
    virtual void setSpyRemoveEnabled(bool enabled) = 0; // spy list "Remove From Game"
};

} // namespace core
