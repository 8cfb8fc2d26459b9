// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table client's say in the menus and the other windows (core::ClientMenus): File >
// "Start Game" and Options > "Just Watch" in the window's menus, the spectator list, the game
// options and the lobby download through the program's window set (AuxWindows).
//
// The lobby download waits for the table window's first picture rather than delaying it.

#include "client/clientmenus.h"

#include <QObject>

class QWidget;

namespace ui {

class AuxWindows;
class TableMenus;

class MenusAdapter : public QObject, public core::ClientMenus {
    Q_OBJECT
public:
    // windows: the window's other windows as it has them now (null: none of them).
    MenusAdapter(QWidget& window, AuxWindows* const& windows);

    // The window's menus, made once the client is (which is built on this adapter).
    void attach(TableMenus& menus) { m_menus = &menus; }
    // The table window's first picture is on the screen.
    void windowFramed();

    // core::ClientMenus
    void showLobbyDownload() override;
    void showGameOptions() override;
    void addSpectator(const core::Spectator& spectator) override;
    void removeSpectator(const core::Spectator& spectator) override;
    void setStartGameEnabled(bool enabled) override;
    void setJustWatchChecked(bool checked) override;
    void setSpyRemoveEnabled(bool enabled) override;

private:
    QWidget& m_window;
    TableMenus* m_menus = nullptr;
    AuxWindows* const& m_windows;
    bool m_framed = false;      // the window's first picture is on the screen
    bool m_downloadDue = false; // the lobby window waits for that picture
};

} // namespace ui
