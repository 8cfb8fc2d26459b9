// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/qt/ttallylist.h"

#include "widgets/boardpalette.h"
#include "widgets/tiledbackground.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

const char* const kResetQuestion = "Are you sure you want to reset the Tally?";
const char* const kNoOpponentName = "XX Wins:";

QString deleteQuestion(const QString& name) {
    return QStringLiteral("This will delete ") + name +
           QStringLiteral("'s Tally, Are you want to delete it?");
}

std::string toCore(const QString& text) {
    return text.toStdString();
}
QString fromCore(const std::string& text) {
    return QString::fromStdString(text);
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& at,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) label->setObjectName(name);
    label->setGeometry(at);
    label->setAlignment(align);
    return label;
}

QFrame* addPanel(QWidget* parent, const QString& name, const QRect& at) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setGeometry(at);
    frame->setStyleSheet(QStringLiteral("#%1 { background: %2; border: 1px solid %3; }")
                             .arg(name, BoardPalette::css(BoardPalette::cream()),
                                  BoardPalette::css(BoardPalette::gold())));
    return frame;
}

QListWidget* addList(QWidget* parent, const char* name, const QRect& at) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(at);
    list->setStyleSheet(QStringLiteral("QListWidget { background: white; border: 1px solid %1; }")
                            .arg(BoardPalette::css(BoardPalette::gold())));
    return list;
}

QListWidgetItem* checkedItem(const QString& text, bool checked) {
    auto* item = new QListWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

} // namespace

Ttallylist::Dialogs Ttallylist::messageBoxes() {
    Dialogs d;
    d.ask = [](QWidget* parent, const QString& question) {
        return QMessageBox::question(parent, QStringLiteral("Confirm"), question,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    d.error = [](QWidget* parent, const QString& text) {
        QMessageBox::critical(parent, QStringLiteral("Error"), text);
    };
    return d;
}

Ttallylist::Ttallylist(const QString& directory, QWidget* parent, Dialogs dialogs)
    : Ttallylist(*new core::TallyBook(directory.toStdString()), parent, std::move(dialogs)) {
    m_ownBook.reset(&m_book);
    FormCreate();
}

Ttallylist::Ttallylist(core::TallyBook& book, QWidget* parent, Dialogs dialogs)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_book(book),
      m_tally(book.tally()), m_dialogs(std::move(dialogs)) {
    setWindowTitle(QString::fromLatin1(kCaption));
    setFixedSize(455, 400);
    buildLayout();
    showBook();
}

// The book writes the file when it goes: with the window when it is the window's own.
Ttallylist::~Ttallylist() = default;

void Ttallylist::buildLayout() {
    TiledBackground::apply(this);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    QFont bold = font();
    bold.setBold(true);

    // Left top: the local player's totals.
    QFrame* mine = addPanel(this, QStringLiteral("panel_mine"), {8, 8, 210, 140});
    addLabel(mine, QStringLiteral("label_mytitle"), QStringLiteral("Your Total Tally"),
             {0, 4, 210, 20}, Qt::AlignCenter)
        ->setFont(bold);
    const char* captions[] = {
        "Total Games:", "Your Wins:", "Highest Score:", "Bonus Modes:", "Brambles:"};
    for (int col = 1; col <= 5; ++col) {
        const int y = 28 + (col - 1) * 22;
        addLabel(mine, {}, QString::fromLatin1(captions[col - 1]), {14, y, 110, 20});
        m_mine[col] = addLabel(mine, QStringLiteral("mylabel_%1").arg(col), QStringLiteral("0"),
                               {124, y, 72, 20}, Qt::AlignRight | Qt::AlignVCenter);
        m_mine[col]->setFont(bold);
    }

    // Left bottom: the players at the table now.
    addLabel(this, QStringLiteral("label_checklist"), QStringLiteral("Players In Current Game"),
             {8, 154, 210, 18})
        ->setFont(bold);
    m_checklist = addList(this, "checklist", {8, 172, 210, 182});

    // Right top: the players being tallied.
    addLabel(this, QStringLiteral("label_tallied"), QStringLiteral("Players Being Tallied"),
             {230, 4, 217, 18})
        ->setFont(bold);
    m_tallied = addList(this, "listbox_tally", {230, 22, 217, 126});

    // Right bottom: the selected opponent.
    QFrame* his = addPanel(this, QStringLiteral("panel_his"), {230, 154, 217, 200});
    m_hisnametop = addLabel(his, QStringLiteral("label_hisnametop"), QString(), {0, 6, 217, 22},
                            Qt::AlignCenter);
    m_hisnametop->setFont(bold);
    addLabel(his, QStringLiteral("label_total"), QStringLiteral("Total"), {116, 36, 46, 20},
             Qt::AlignCenter)
        ->setFont(bold);
    addLabel(his, QStringLiteral("label_session"), QStringLiteral("Session"), {162, 36, 52, 20},
             Qt::AlignCenter)
        ->setFont(bold);
    m_hisname = addLabel(his, QStringLiteral("label_hisname"), QString::fromLatin1(kNoOpponentName),
                         {6, 86, 110, 20});
    const QString rowNames[] = {QStringLiteral("Number of Games"), QString(),
                                QStringLiteral("Your Wins:"), QStringLiteral("Neither Won:")};
    for (int r = 0; r < 4; ++r) {
        const int y = 60 + r * 26;
        if (r != 1) addLabel(his, {}, rowNames[r], {6, y, 112, 20});
        for (int half = 0; half < 2; ++half) {
            const int col = 1 + r + 4 * half;
            m_his[col] = addLabel(his, QStringLiteral("label_%1").arg(col), QStringLiteral("0"),
                                  {116 + half * 46, y, half ? 52 : 46, 20}, Qt::AlignCenter);
        }
    }
    m_hisname->setWordWrap(false);

    auto* reset = new QPushButton(QStringLiteral("Reset Tally"), this);
    reset->setObjectName(QStringLiteral("SelButton1"));
    reset->setGeometry(8, 364, 100, 28);
    connect(reset, &QPushButton::clicked, this, &Ttallylist::SelButton1Click);
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry(347, 364, 100, 28);
    connect(done, &QPushButton::clicked, this, &Ttallylist::button_doneClick);

    connect(m_checklist, &QListWidget::itemChanged, this, &Ttallylist::checklistClickCheck);
    connect(m_tallied, &QListWidget::itemChanged, this, &Ttallylist::listbox_tallyClickCheck);
    connect(m_tallied, &QListWidget::currentRowChanged, this, &Ttallylist::listbox_tallyClick);
}

QString Ttallylist::filePath() const {
    return QString::fromStdString(m_book.file().path().string());
}

void Ttallylist::FormCreate() {
    // A fresh tally when the file does not read; the labels and the list stay as they are.
    if (auto error = m_book.load()) {
        showError(error);
        return;
    }
    showBook();
}

void Ttallylist::showBook() {
    refreshPersonal();
    rebuildTalliedList();
}

bool Ttallylist::save() {
    return m_book.save();
}

void Ttallylist::refreshPersonal() {
    for (int col = 1; col <= 5; ++col)
        m_mine[col]->setText(fromCore(m_tally.table().cell(col, 0)));
}

void Ttallylist::rebuildTalliedList() {
    m_updating = true;
    m_tallied->clear();
    for (int i = 0; i < m_tally.opponentCount(); ++i)
        m_tallied->addItem(checkedItem(fromCore(m_tally.opponentName(i)), true));
    m_updating = false;
}

void Ttallylist::syncChecklist() {
    m_updating = true;
    const auto& items = m_tally.checklist();
    for (int i = 0; i < m_checklist->count() && i < static_cast<int>(items.size()); ++i)
        m_checklist->item(i)->setCheckState(
            items[static_cast<std::size_t>(i)].checked ? Qt::Checked : Qt::Unchecked);
    m_updating = false;
}

core::TallySeats Ttallylist::currentSeats() const {
    core::TallySeats seats;
    if (!m_seats) return seats;
    const Seats s = m_seats();
    for (const QString& label : s.labels)
        seats.labels.push_back(toCore(label));
    seats.myslot = s.myslot;
    return seats;
}

void Ttallylist::showError(const std::optional<std::string>& error) {
    if (error && m_dialogs.error) m_dialogs.error(this, fromCore(*error));
}

void Ttallylist::loadchecklist() {
    m_tally.loadchecklist(currentSeats());
    fillChecklist();
}

void Ttallylist::fillChecklist() {
    m_updating = true;
    m_checklist->clear();
    for (const auto& item : m_tally.checklist())
        m_checklist->addItem(checkedItem(fromCore(item.name), item.checked));
    m_updating = false;
}

void Ttallylist::viewTally() {
    loadchecklist();
    show();
    raise();
    activateWindow();
}

int Ttallylist::addit(int col, int row) {
    try {
        const int value = m_tally.table().addit(col, row);
        if (row == 0) refreshPersonal();
        return value;
    } catch (const core::TallyError& e) {
        showError(std::string(e.what()));
        return -1;
    }
}

void Ttallylist::moverow(int row) {
    if (row < 1 || row > m_tally.opponentCount()) return;
    m_tally.removeOpponent(row - 1);
    m_updating = true;
    delete m_tallied->takeItem(row - 1);
    m_updating = false;
    syncChecklist();
}

void Ttallylist::addtomineincrease(int col) {
    auto error = m_tally.addtomineincrease(col);
    refreshPersonal();
    showError(error);
}

void Ttallylist::addtomineset(int col, const QString& text) {
    m_tally.addtomineset(col, toCore(text));
    refreshPersonal();
}

void Ttallylist::addgame(const QString& text) {
    auto error = m_tally.addgame(toCore(text), currentSeats());
    // The checklist was rebuilt from the seats at the end of the game.
    fillChecklist();
    refreshPersonal();
    if (m_tallied->currentRow() >= 0) listbox_tallyClick();
    save();
    showError(error);
}

void Ttallylist::recordWinner(bool localWon, const QString& winnersText, const QString& myTotal) {
    bool recorded = false;
    const auto error = m_book.recordWinner(localWon, toCore(winnersText), toCore(myTotal),
                                           currentSeats(), recorded);
    if (!recorded && !error) return;
    fillChecklist();
    refreshPersonal();
    if (m_tallied->currentRow() >= 0) listbox_tallyClick();
    showError(error);
}

void Ttallylist::checklistClickCheck(QListWidgetItem* item) {
    if (m_updating || !item) return;
    // Whatever the box now shows, a player is either added or left as he is.
    if (m_tally.addOpponent(toCore(item->text()))) {
        m_updating = true;
        m_tallied->addItem(
            checkedItem(fromCore(m_tally.opponentName(m_tally.opponentCount() - 1)), true));
        m_updating = false;
    }
    syncChecklist();
}

void Ttallylist::listbox_tallyClickCheck(QListWidgetItem* item) {
    if (m_updating || !item || item->checkState() == Qt::Checked) return;
    const QString name = item->text();
    const bool yes = m_dialogs.ask && m_dialogs.ask(this, deleteQuestion(name));
    // The question runs an event loop: find the item again rather than trusting its old row.
    const int index = m_tallied->row(item);
    if (index < 0) return;
    if (yes) {
        moverow(index + 1);
    } else {
        m_updating = true;
        item->setCheckState(Qt::Checked);
        m_updating = false;
    }
}

void Ttallylist::listbox_tallyClick() {
    const int index = m_tallied->currentRow();
    if (index < 0 || index >= m_tally.opponentCount()) return;
    const int r = index + 1;
    for (int col = 1; col <= 8; ++col)
        m_his[col]->setText(fromCore(m_tally.table().cell(col, r)));
    const QString name = fromCore(m_tally.opponentName(index));
    m_hisname->setText(name + QStringLiteral(" Wins:"));
    m_hisnametop->setText(name + QStringLiteral("'s Tally"));
}

void Ttallylist::button_doneClick() {
    hide();
}

void Ttallylist::SelButton1Click() {
    if (!m_dialogs.ask || !m_dialogs.ask(this, QString::fromLatin1(kResetQuestion))) return;
    m_tally.reset();
    m_updating = true;
    m_tallied->clear();
    m_updating = false;
    syncChecklist();
    for (int col = 1; col <= 5; ++col)
        m_mine[col]->setText(QStringLiteral("0"));
    for (int col = 1; col <= 8; ++col)
        m_his[col]->setText(QStringLiteral("0"));
    m_hisname->setText(QString::fromLatin1(kNoOpponentName));
    m_hisnametop->clear();
}

} // namespace ui
