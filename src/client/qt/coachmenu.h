#pragma once
// The table window's menu items for the computer player and the coach: Options > "Computer
// Player" ("Classic", checked at start, or "Expert"), stored in the settings file, and the
// "Hint" item with its key, which asks the table client for the solver's advice and shows it
// in a tooltip over the dice.

#include "host/computerstyle.h"

#include <QObject>

#include <functional>

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

    CoachMenu(QMenu* game, QMenu* options, core::Settings& settings, core::TableClient& client,
              std::function<void()> redraw, QObject* parent);

    // Check marks from the settings just read.
    void applySettings();
    core::ComputerStyle style() const;

    QAction* hint() const { return m_hint; }

private:
    // The hint in a tooltip just above the dice.
    void showOverDice(const QString& text);

    core::Settings& m_settings;
    QAction* m_hint = nullptr;
    QAction* m_classic = nullptr;
    QAction* m_expert = nullptr;
};

} // namespace ui
