#pragma once
// The tally window, "Bramblies - Tally List": the local player's totals, the players being
// tallied, the players in the current game and the record against the selected opponent.
//
// The counting lives in core::Tally; this window owns it, shows it and keeps it in the tally
// file. The file is read when the window is created, written after every recorded game and
// written again when the window is destroyed. An unreadable file is reported in an error box
// and the window goes on with a fresh tally.
//
// The table client calls addtomineincrease(5) on its own Bramble, addtomineincrease(4) on its
// own bonus mode and recordWinner when the winners are announced; "View Tally" calls
// viewTally.

#include "stats/tally.h"
#include "stats/tallyfile.h"

#include <QStringList>
#include <QWidget>

#include <functional>

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
    // Saves the tally; a failure is ignored.
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
    void FormDestroy();
    void loadtally();
    void buildLayout();
    void refreshPersonal();
    void rebuildTalliedList();
    void syncChecklist();
    void fillChecklist();
    void showError(const std::optional<std::string>& error);
    core::TallySeats currentSeats() const;

    core::Tally m_tally;
    core::TallyFile m_file;
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
