// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table window's other windows: help, about, solo, the lobby download, the game options,
// the spectator list, the phrase editor and the tally. Each is made the first time it is
// shown, parented to the table window (so it stays above it and goes with it), and then kept.
// What a window needs before it is made is kept apart from it: the tally's counts and file
// live in a book read when the set is made, and the spectators are the table client's.
//
//   auto* windows = new ui::AuxWindowSet(table, tallyDirectory); // a child of the table
//   windows->help();   // made now, hidden; table menus show it through AuxWindows

#include "client/qt/auxwindows.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace core {
class TallyBook;
struct TallySeats;
} // namespace core

namespace ui {

class Tabout;
class Tchat;
class Tdownload;
class Tgamestart;
class Thelp;
class Tphrases;
class Tsolo;
class Tspylist;
class Ttallylist;

class AuxWindowSet : public QObject, public AuxWindows {
    Q_OBJECT
public:
    // Attaches itself to the table window and reads the tally file in tallyDirectory (an
    // unreadable one is reported in a box over the table window).
    AuxWindowSet(Tchat& table, const QString& tallyDirectory);
    ~AuxWindowSet() override;

    // Each window, made now when it has not been.
    Thelp* help();
    Tabout* about();
    Tsolo* solo();
    Tdownload* download();
    Tgamestart* gameOptions();
    Tspylist* spyList();
    Tphrases* phrases();
    Ttallylist* tally();

    // AuxWindows
    void showHelp() override;
    void showAbout() override;
    void showSolo() override;
    void showDownload() override;
    void showGameOptions() override;
    void showSpyList() override;
    void showPhrases() override;
    void viewTally() override;
    void spectatorAdded(const core::Spectator& spectator) override;
    void spectatorRemoved(const core::Spectator& spectator) override;
    void setSpyRemoveEnabled(bool enabled) override;
    void settingsLoaded() override;
    void addtomineincrease(int column) override;
    void recordGame(bool localWon, const QString& winnersText, const QString& myTotal) override;

private:
    // What the seats show now, for the tally.
    core::TallySeats seats() const;

    Tchat& m_table;
    std::unique_ptr<core::TallyBook> m_book;
    bool m_spyRemoveEnabled = false;
    QPointer<Thelp> m_help;
    QPointer<Tabout> m_about;
    QPointer<Tsolo> m_solo;
    QPointer<Tdownload> m_download;
    QPointer<Tgamestart> m_gameOptions;
    QPointer<Tspylist> m_spyList;
    QPointer<Tphrases> m_phrases;
    QPointer<Ttallylist> m_tally;
};

} // namespace ui
