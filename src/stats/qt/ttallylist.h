// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tally window, "Bramblies - Tally List": the local player's totals, the players being
// tallied, the players in the current game and the record against the selected opponent.
//
// The counting lives in core::Tally, kept with its file in a core::TallyBook. The program's
// book outlives the window (it records games whether or not the window was ever made); a
// window made from a folder keeps a book of its own, read when the window is created and
// written when it goes. The file is written after every recorded game. An unreadable file is
// reported in an error box and the tally goes on fresh.
//
// The table client calls addtomineincrease(5) on its own Bramble, addtomineincrease(4) on its
// own bonus mode and recordWinner when the winners are announced; "View Tally" calls
// viewTally.

#include "stats/tallybook.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace ui {

class Ttallylist : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Bramblies - Tally List";

    // How questions and errors reach the user; tests answer them without a box.
    struct Dialogs {
        // A Yes/No confirmation; true for Yes.
        std::function<bool(QWidget* parent, const QString& question)> ask;
        std::function<void(QWidget* parent, const QString& text)> error;
    };
    static Dialogs messageBoxes();

    // What the seats show: the name labels of seats 1..6 and the local player's slot.
    struct Seats {
        QStringList labels;
        int myslot = 0;
    };
    using SeatSource = std::function<Seats()>;

    // Loads the tally file from the directory (where the settings file lives).
    explicit Ttallylist(const QString& directory, QWidget* parent = nullptr,
                        Dialogs dialogs = messageBoxes());
    // Shows a book that is already read and outlives the window.
    explicit Ttallylist(core::TallyBook& book, QWidget* parent = nullptr,
                        Dialogs dialogs = messageBoxes());
    ~Ttallylist() override;

    void setSeatSource(SeatSource source) { m_seats = std::move(source); }
    void setDialogs(Dialogs dialogs) { m_dialogs = std::move(dialogs); }

    // Called by the table client.
    void addtomineincrease(int col);
    void addtomineset(int col, const QString& text);
    void addgame(const QString& text);
    void recordWinner(bool localWon, const QString& winnersText, const QString& myTotal);
    // Rebuilds "Players In Current Game" from the seats, then shows the window (not modal).
    void viewTally();
    void loadchecklist();

    // Table-level operations: add 1 to a counter (the new value, or -1 after an error box),
    // remove an opponent row.
    int addit(int col, int row);
    void moverow(int row);
    // Writes the tally file now; false when it could not be written (the old file stays).
    bool save();

    const core::Tally& tally() const { return m_tally; }
    const core::TallyTable& stringgrid_scores() const { return m_tally.table(); }
    QString filePath() const;

public slots:
    void checklistClickCheck(QListWidgetItem* item);
    void listbox_tallyClickCheck(QListWidgetItem* item);
    void listbox_tallyClick();
    void button_doneClick();
    void SelButton1Click();

private:
    void FormCreate();
    void showBook();
    void buildLayout();
    void refreshPersonal();
    void rebuildTalliedList();
    void syncChecklist();
    void fillChecklist();
    void showError(const std::optional<std::string>& error);
    core::TallySeats currentSeats() const;

    std::unique_ptr<core::TallyBook> m_ownBook; // only when made from a folder
    core::TallyBook& m_book;
    core::Tally& m_tally;
    Dialogs m_dialogs;
    SeatSource m_seats;
    bool m_updating = false;

    QListWidget* m_tallied = nullptr;
    QListWidget* m_checklist = nullptr;
    QLabel* m_mine[6] = {};
    QLabel* m_his[9] = {};
    QLabel* m_hisnametop = nullptr;
    QLabel* m_hisname = nullptr;
};

} // namespace ui
