// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Playing the table window from the keyboard.
//
// Keys (none of them while typing into a text field, except where said):
//   R or Space        roll, exactly as the Roll button does (when it is shown);
//   1 .. 5            hold or release die 1 .. 5;
//   Alt+1 .. Alt+7    choose Ones .. Sixes, the Bramble (also while typing: Alt+digit types
//                     nothing);
//   Enter / Escape    the warning panel's default and cancel answers ("Yes"/"No", "OK");
//                     Enter on a focused die or category tile is its click;
//   Tab / Shift+Tab   move between the parts of the window (also from the chat line): the
//                     chat line, the dice tray, a warning panel, the category column, the
//                     phrase buttons and the score sheet;
//   arrow keys        move inside a part (the score sheet moves its own cell cursor).
// Space on a focused phrase or panel button presses that button, as usual. The menus have
// their own keys (F10, Alt+letter, Ctrl+N for Start Game, H for the hint), listed here too.
//
// Focus on the board's painted controls is drawn by focus rings; a control that disappears
// while it has the focus hands it to its neighbour in the same part, so the focus never
// falls into the chat line by itself. The keys are listed in the Help menu and in tooltips.
#include <QObject>
#include <QPointer>

#include <vector>

class QAbstractButton;
class QKeyEvent;
class QMenu;
class QWidget;

namespace core {
class BoardModel;
}

namespace ui {

class BoardView;
class ScoreSheetCursor;
class Tchat;

class GameKeys : public QObject {
    Q_OBJECT
public:
    explicit GameKeys(Tchat& window);
    ~GameKeys() override;

    // The parts Tab moves between, in order; each lists its controls that may take the focus
    // now (shown and enabled). Parts with none are skipped.
    std::vector<std::vector<QWidget*>> parts() const;

    // The key list as shown in the Help menu, one "action<TAB>keys" line per entry.
    static QStringList keyList();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Part { Chat, Dice, Panel, Categories, Phrases, Sheet, PartCount };

    void setUp();
    void addHelpMenu();
    bool handleKey(QWidget* focus, QKeyEvent* key);
    std::vector<QWidget*> members(Part part) const;
    int partOf(const QWidget* w) const;
    void moveToPart(QWidget* from, int step);
    void moveInPart(QWidget* from, int step);
    void handOnFocus(QWidget* leaving);
    void panelShown(QWidget* panel);
    void panelHidden(QWidget* panel);

    void roll();
    void toggleDie(int die);
    void chooseCategory(int category);

    // Whether a control of a part is up now: the board's controls as its model says.
    bool shown(const QWidget* w) const;
    bool canTakeFocus(const QWidget* w) const;
    QAbstractButton* panelDefault() const;
    QAbstractButton* panelCancel() const;

    Tchat& m_window;
    BoardView* m_board;
    const core::BoardModel& m_model;
    ScoreSheetCursor* m_sheet;
    std::vector<QWidget*> m_all[PartCount];
    QPointer<QWidget> m_last[PartCount];
    std::vector<QWidget*> m_panels;
    QPointer<QWidget> m_beforePanel;
};

} // namespace ui
