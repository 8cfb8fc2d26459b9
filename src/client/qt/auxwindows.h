// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the table window asks of the program's other windows: to show one of them, and to keep
// them up to date. The program's window set answers it, making each window the first time it
// is shown; what a window not made yet would have been told, it learns when it is made. A
// table window with no window set shows none of them.

#include "client/clientport.h"

#include <QString>

namespace ui {

class AuxWindows {
public:
    virtual ~AuxWindows() = default;

    virtual void showHelp() = 0;
    virtual void showAbout() = 0;
    virtual void showSolo() = 0;
    virtual void showDownload() = 0;
    virtual void showGameOptions() = 0;
    virtual void showSpyList() = 0;
    virtual void showPhrases() = 0;
    // View > "View Tally": the players in the current game are looked up again first.
    virtual void viewTally() = 0;

    virtual void spectatorAdded(const core::Spectator& spectator) = 0;
    virtual void spectatorRemoved(const core::Spectator& spectator) = 0;
    virtual void setSpyRemoveEnabled(bool enabled) = 0;
    // The settings file has been read.
    virtual void settingsLoaded() = 0;
    // The tally: our own Bramble (5) or bonus mode (4), and a finished game.
    virtual void addtomineincrease(int column) = 0;
    virtual void recordGame(bool localWon, const QString& winnersText, const QString& myTotal) = 0;
};

} // namespace ui
