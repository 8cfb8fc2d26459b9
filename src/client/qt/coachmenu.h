// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table window's menu items for the computer player and the coach: Options > "Computer
// Player" ("Classic", checked at start, or "Expert"), stored in the settings file, and the
// "Hint" item with its key, which asks the table client for the solver's advice and shows it
// in a note just below the dice (the key again, or Escape, closes it).
//
// Hint can be chosen only during the player's own turn while advice can be given; Computer
// Player only in a copy that runs the game host (it picks the host's computer player).

#include "game/computerstyle.h"

#include <QObject>

#include <QPointer>

#include <array>

class QAction;
class QMenu;

namespace core {
class Settings;
class TableClient;
} // namespace core

namespace ui {

class CoachMenu : public QObject {
    Q_OBJECT
public:
    // H: not taken by the keyboard play (Space, R, 1-5, F1-F7, Alt+1..7).
    static constexpr int kHintKey = Qt::Key_H;

    // parent: the table window, over whose dice the hint's note is shown.
    CoachMenu(QMenu* game, QMenu* options, core::Settings& settings, core::TableClient& client,
              QObject* parent);

    // Check marks from the settings just read.
    void applySettings();
    // After each change of the board: which items can be chosen now, and the hint's note
    // closed once the dice or the turn have moved on.
    void boardChanged();
    // Escape: closes the hint's note; false when none was open.
    bool escape() { return closeNote(); }
    core::ComputerStyle style() const;

    QAction* hint() const { return m_hint; }
    QAction* computerPlayer() const;

private:
    // What the note was given for: the rolls made and the faces.
    using Shown = std::array<int, 6>;
    Shown position() const;
    void showBelowDice(const QString& text);
    // Closes the note if it is open; true when it was.
    bool closeNote();

    core::Settings& m_settings;
    core::TableClient& m_client;
    QPointer<class HintBubble> m_note;
    QString m_noteText;
    Shown m_noteFor{};
    QMenu* m_computer = nullptr;
    QAction* m_hint = nullptr;
    QAction* m_classic = nullptr;
    QAction* m_expert = nullptr;
};

} // namespace ui
