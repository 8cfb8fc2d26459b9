// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table window's menu bar: File (Start Game, Hint, Exit), Options (sounds, turn sound,
// speech, the reminder, bot speed, chat text, screen location, Just Watch, Computer Player,
// Hold Seats), View (tally, spy list, phrases), Help (content, keyboard play, about) and the
// solo item. Every item carries its object name ("StartGame1", "JustWatch1", ...).
//
// The items change the settings or ask the table client; what they show comes from the
// program's window set (AuxWindows). Check marks follow the settings file once it is read
// (applySettings).

#include <QObject>

class QAction;
class QMainWindow;
class QMenu;

namespace core {
class Settings;
class TableClient;
} // namespace core

namespace ui {

class AuxWindows;
class ChatPanel;
class CoachMenu;
class SeatHoldOption;

class TableMenus : public QObject {
    Q_OBJECT
public:
    // Builds the menus on the window's menu bar; the chat lends its text items. windows: the
    // window's other windows as it has them now (null: none of them).
    TableMenus(QMainWindow& window, core::TableClient& client, core::Settings& settings,
               ChatPanel& chat, AuxWindows* const& windows);
    // Check marks from the settings just read.
    void applySettings();
    // The speech switches, just before the reminder in the Options menu.
    void addSpeechItems(QAction* events, QAction* chat);

    QAction* startGame() const { return m_startGame; }
    QAction* justWatch() const { return m_justWatch; }
    QMenu* helpMenu() const { return m_help; }
    CoachMenu* coachMenu() const { return m_coachMenu; }
    SeatHoldOption* seatHold() const { return m_seatHold; }

private:
    void buildFile();
    void buildOptions();
    void buildView();
    void buildHelp();
    QAction* addItem(QMenu* menu, const QString& text, const char* name, bool enabled = true);
    void withWindows(void (AuxWindows::*show)());
    void ResetScreenLocation1Click();

    QMainWindow& m_window;
    core::TableClient& m_client;
    core::Settings& m_settings;
    ChatPanel& m_chat;
    AuxWindows* const& m_windows;

    QMenu* m_file = nullptr;
    QMenu* m_options = nullptr;
    QMenu* m_help = nullptr;
    CoachMenu* m_coachMenu = nullptr;
    SeatHoldOption* m_seatHold = nullptr;
    QAction* m_startGame = nullptr;
    QAction* m_justWatch = nullptr;
    QAction* m_remindMe = nullptr;
    QAction* m_playSounds = nullptr;
    QAction* m_playChatter = nullptr;
    QAction* m_classic = nullptr;
    QAction* m_newTurnSound = nullptr;
    QAction* m_slow = nullptr;
    QAction* m_normal = nullptr;
    QAction* m_fast = nullptr;
};

} // namespace ui
