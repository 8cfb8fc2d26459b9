// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/gamekeys.h"

#include "chat/qt/chatpanel.h"
#include "client/boardmodel.h"
#include "client/controltexts.h"
#include "client/qt/boardview.h"
#include "client/qt/coachmenu.h"
#include "client/qt/tablemenus.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "widgets/dieview.h"
#include "widgets/focusring.h"
#include "widgets/scoresheetcursor.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>

namespace ui {

namespace {

const QString kRollTip = QStringLiteral("Roll (R or Space)");

bool isTextInput(const QWidget* w) {
    if (qobject_cast<const QLineEdit*>(w)) return true;
    if (auto* edit = qobject_cast<const QTextEdit*>(w)) return !edit->isReadOnly();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(w)) return !edit->isReadOnly();
    return false;
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

GameKeys::GameKeys(Tchat& window)
    : QObject(&window), m_window(window), m_board(window.board()), m_model(window.client().board()),
      m_sheet(m_board->sheetCursor()) {
    setUp();
    addHelpMenu();
    qApp->installEventFilter(this);
}

GameKeys::~GameKeys() {
    qApp->removeEventFilter(this);
}

bool GameKeys::shown(const QWidget* w) const {
    // The board's controls are up when the board is and its model says so (the dice always
    // are); the chat's own controls and the sheet answer for themselves.
    const int part = partOf(w);
    if (part != Dice && part != Panel && part != Categories) return w->isVisible();
    if (!m_board->isVisible()) return false;
    const BoardView& b = *m_board;
    if (w == b.rollButton()) return m_model.rollVisible;
    if (w == b.startButton()) return m_model.startVisible;
    if (w == b.yesButton() || w == b.noButton()) return m_model.panelErrorVisible;
    if (w == b.okButton()) return m_model.panelError1Visible;
    for (int n = 1; n <= core::kCategoryCount; ++n)
        if (w == b.categoryTile(n)) return m_model.category(n).buttonVisible;
    return true;
}

bool GameKeys::canTakeFocus(const QWidget* w) const {
    return w && shown(w) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
}

void GameKeys::setUp() {
    ChatPanel* chat = m_window.chat();
    m_all[Chat] = {chat->entry()};
    // The chat's own controls say what they are, for a screen reader.
    chat->entry()->setAccessibleName(tr("Chat line"));
    for (QWidget* w : chat->findChildren<QWidget*>())
        if (w->objectName() == QLatin1String("mainchat"))
            w->setAccessibleName(tr("Chat"));
        else if (w->objectName() == QLatin1String("button_smilies"))
            w->setAccessibleName(w->toolTip());

    auto* ring = new FocusRing(m_board);
    for (int d = 1; d <= core::kDiceCount; ++d) {
        QWidget* die = m_board->die(d);
        die->setFocusPolicy(Qt::TabFocus);
        die->setToolTip(QStringLiteral("Die %1: press %1 to hold or release").arg(d));
        m_all[Dice].push_back(die);
    }
    for (QWidget* b : {static_cast<QWidget*>(m_board->rollButton()),
                       static_cast<QWidget*>(m_board->startButton())}) {
        b->setFocusPolicy(Qt::TabFocus);
        m_all[Dice].push_back(b);
    }
    m_board->rollButton()->setToolTip(kRollTip);
    for (int n = 1; n <= core::kCategoryCount; ++n) {
        const QString tip = QStringLiteral("%1: Alt+%2").arg(q(core::rowName(n))).arg(n);
        QWidget* tile = m_board->categoryTile(n);
        tile->setFocusPolicy(Qt::TabFocus);
        tile->setToolTip(tip);
        m_board->categoryBar(n)->setToolTip(tip);
        m_all[Categories].push_back(tile);
    }
    for (QWidget* w : m_all[Dice])
        ring->addTarget(w);
    for (QWidget* w : m_all[Categories])
        ring->addTarget(w);
    // The focus may rest on a blank die (it keeps its place in the tray), but no ring is drawn
    // around an empty place, nor over the winner's banner that covers the dice.
    ring->setShownTest([this](const QWidget* w) {
        for (int d = 1; d <= core::kDiceCount; ++d)
            if (w == m_board->die(d))
                return m_model.die(d).face != 0 && !m_model.winnerPanelVisible;
        return shown(w);
    });
    connect(m_board, &BoardView::refreshed, ring, &FocusRing::refresh);

    for (QWidget* panel : {m_board->warningPanel(), m_board->thirdRollPanel()}) {
        auto* panelRing = new FocusRing(panel);
        for (auto* b : panel->findChildren<QAbstractButton*>()) {
            b->setFocusPolicy(Qt::TabFocus);
            m_all[Panel].push_back(b);
            panelRing->addTarget(b);
        }
        m_panels.push_back(panel);
    }

    // On the chat's card, which leaves room for the ring around the buttons at its edges.
    auto* phraseRing = new FocusRing(chat->parentWidget() ? chat->parentWidget() : chat);
    for (int n = 1; n <= 10; ++n)
        if (auto* b = chat->findChild<QAbstractButton*>(QStringLiteral("b_phrase%1").arg(n))) {
            b->setFocusPolicy(Qt::TabFocus);
            m_all[Phrases].push_back(b);
            phraseRing->addTarget(b);
        }
    m_all[Sheet] = {m_sheet};
}

QStringList GameKeys::keyList() {
    QStringList keys;
    keys << QStringLiteral("Roll\tR, Space");
    for (int d = 1; d <= core::kDiceCount; ++d)
        keys << QStringLiteral("Hold or Release Die %1\t%1").arg(d);
    for (int n = 1; n <= core::kCategoryCount; ++n)
        keys << QStringLiteral("Choose %1\tAlt+%2").arg(q(core::rowName(n))).arg(n);
    keys << QStringLiteral("Answer a Warning\tEnter, Escape")
         << QStringLiteral("Next or Previous Part\tTab, Shift+Tab")
         << QStringLiteral("Move Inside a Part\tArrow Keys")
         << QStringLiteral("Hint, or Close It\tH, Escape")
         << QStringLiteral("Open the Menus\tF10, Alt+Letter")
         << QStringLiteral("Start Game\tCtrl+N")
         << QStringLiteral("Game Options: Choose a Limit\tArrow Keys, Space")
         << QStringLiteral("Game Options: Start\tEnter");
    return keys;
}

void GameKeys::addHelpMenu() {
    QMenu* help = m_window.menus()->helpMenu();
    QMenu* keys = new QMenu(tr("&Keyboard Play"), help);
    keys->setObjectName(QStringLiteral("KeyboardPlay1"));
    help->insertMenu(help->actions().value(1), keys);
    const QStringList list = keyList();
    for (int i = 0; i < list.size(); ++i) {
        QAction* a = keys->addAction(list[i]);
        // The game items do what their keys do; the rest only list the keys.
        if (i == 0)
            connect(a, &QAction::triggered, this, &GameKeys::roll);
        else if (i <= core::kDiceCount)
            connect(a, &QAction::triggered, this, [this, i] { toggleDie(i); });
        else if (i <= core::kDiceCount + core::kCategoryCount)
            connect(a, &QAction::triggered, this,
                    [this, i] { chooseCategory(i - core::kDiceCount); });
    }
}

// ---- parts ----------------------------------------------------------------------------------

std::vector<QWidget*> GameKeys::members(Part part) const {
    std::vector<QWidget*> now;
    for (QWidget* w : m_all[part])
        if (canTakeFocus(w)) now.push_back(w);
    return now;
}

std::vector<std::vector<QWidget*>> GameKeys::parts() const {
    std::vector<std::vector<QWidget*>> all;
    for (int p = 0; p < PartCount; ++p) {
        auto now = members(Part(p));
        if (!now.empty()) all.push_back(std::move(now));
    }
    return all;
}

int GameKeys::partOf(const QWidget* w) const {
    for (int p = 0; p < PartCount; ++p)
        if (std::find(m_all[p].begin(), m_all[p].end(), w) != m_all[p].end()) return p;
    return -1;
}

void GameKeys::moveToPart(QWidget* from, int step) {
    const int here = partOf(from);
    int p = here < 0 ? (step > 0 ? -1 : PartCount) : here;
    for (int tries = 0; tries < PartCount; ++tries) {
        p = (p + step + PartCount) % PartCount;
        const auto now = members(Part(p));
        if (now.empty()) continue;
        QWidget* to = m_last[p];
        if (!to || std::find(now.begin(), now.end(), to) == now.end()) to = now.front();
        to->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return;
    }
}

void GameKeys::moveInPart(QWidget* from, int step) {
    const int p = partOf(from);
    if (p < 0) return;
    const auto now = members(Part(p));
    auto at = std::find(now.begin(), now.end(), from);
    if (at == now.end()) return;
    const auto index = (at - now.begin()) + step;
    if (index >= 0 && index < std::ssize(now)) now[size_t(index)]->setFocus(Qt::OtherFocusReason);
}

void GameKeys::handOnFocus(QWidget* leaving) {
    const int p = partOf(leaving);
    if (p < 0) return;
    const auto all = m_all[p];
    const auto at = std::find(all.begin(), all.end(), leaving) - all.begin();
    // The nearest control of the same part that stays, after it first, then before it.
    for (std::ptrdiff_t d = 1; d < std::ssize(all); ++d)
        for (std::ptrdiff_t i : {at + d, at - d})
            if (i >= 0 && i < std::ssize(all) && all[size_t(i)] != leaving &&
                canTakeFocus(all[size_t(i)])) {
                all[size_t(i)]->setFocus(Qt::OtherFocusReason);
                return;
            }
    moveToPart(leaving, 1);
}

// ---- the warning panels -----------------------------------------------------------------

QAbstractButton* GameKeys::panelDefault() const {
    if (m_model.panelErrorVisible) return m_board->yesButton();
    if (m_model.panelError1Visible) return m_board->okButton();
    return nullptr;
}

QAbstractButton* GameKeys::panelCancel() const {
    if (m_model.panelErrorVisible) return m_board->noButton();
    if (m_model.panelError1Visible) return m_board->okButton();
    return nullptr;
}

void GameKeys::panelShown(QWidget* panel) {
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() != &m_window) return;
    if (!m_beforePanel) m_beforePanel = focus;
    const bool second = panel == m_board->thirdRollPanel();
    (second ? m_board->okButton() : m_board->yesButton())->setFocus(Qt::OtherFocusReason);
}

void GameKeys::panelHidden(QWidget* panel) {
    const bool otherUp =
        panel == m_board->warningPanel() ? m_model.panelError1Visible : m_model.panelErrorVisible;
    if (otherUp) return; // the other panel is still up
    QWidget* back = m_beforePanel;
    m_beforePanel = nullptr;
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() != &m_window) return;
    if (canTakeFocus(back))
        back->setFocus(Qt::OtherFocusReason);
    else if (auto dice = members(Dice); !dice.empty())
        dice.front()->setFocus(Qt::OtherFocusReason);
}

// ---- actions ----------------------------------------------------------------------------

void GameKeys::roll() {
    if (m_model.rollVisible) m_board->rollButton()->click();
}

void GameKeys::toggleDie(int die) {
    emit m_board->die(die)->mouseReleased(Qt::LeftButton);
}

void GameKeys::chooseCategory(int category) {
    m_board->categoryTile(category)->click();
}

// ---- keys -------------------------------------------------------------------------------

bool GameKeys::eventFilter(QObject* watched, QEvent* event) {
    // Installed on the application: sees every event of every object, so it picks out the
    // few it needs by type first.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::FocusIn: {
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w) return false;
        // One of our own small windows (game options, phrases, tally) closing gives the
        // keyboard back to the table when nothing else has it.
        if (event->type() == QEvent::Hide && w->isWindow() && w->parentWidget() == &m_window &&
            (!QApplication::activeWindow() || QApplication::activeWindow() == w) &&
            m_window.isVisible())
            m_window.activateWindow();
        if (w->window() != &m_window) return false;
        if (std::find(m_panels.begin(), m_panels.end(), w) != m_panels.end()) {
            if (event->type() == QEvent::Show) panelShown(w);
            if (event->type() == QEvent::Hide) panelHidden(w);
            return false;
        }
        const int part = partOf(w);
        if (part < 0) return false;
        if (event->type() == QEvent::FocusIn) m_last[part] = w;
        // A control that goes away with the focus hands it on.
        // (The panels' own buttons go with their panel; panelHidden places the focus then.)
        // (The window's focus counts even while another window is active.)
        if (event->type() == QEvent::Hide && m_window.focusWidget() == w && part != Panel)
            handOnFocus(w);
        return false;
    }
    case QEvent::KeyPress:
        break;
    default:
        return false;
    }
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != &m_window) return false;
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != &m_window) focus = target;
    return handleKey(focus, static_cast<QKeyEvent*>(event));
}

bool GameKeys::handleKey(QWidget* focus, QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const int key = e->key();

    if (mods == Qt::AltModifier && key >= Qt::Key_1 && key <= Qt::Key_7) {
        chooseCategory(key - Qt::Key_0);
        return true;
    }
    if (key == Qt::Key_Tab && mods == Qt::NoModifier) {
        moveToPart(focus, 1);
        return true;
    }
    // Escape puts the hint's note away first, wherever the focus is.
    if (key == Qt::Key_Escape && mods == Qt::NoModifier && m_window.menus()->coachMenu()->escape())
        return true;
    if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && mods == Qt::ShiftModifier)) {
        moveToPart(focus, -1);
        return true;
    }
    if (isTextInput(focus) || mods != Qt::NoModifier) return false;

    const int part = partOf(focus);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QAbstractButton* b = panelDefault()) {
            b->click();
            return true;
        }
        if (part == Dice || part == Categories) {
            if (auto* die = qobject_cast<DieView*>(focus))
                emit die->mouseReleased(Qt::LeftButton);
            else if (auto* b = qobject_cast<QAbstractButton*>(focus))
                b->click();
            return true;
        }
        return false;
    case Qt::Key_Escape:
        if (QAbstractButton* b = panelCancel()) {
            b->click();
            return true;
        }
        return false;
    case Qt::Key_Space:
        // Buttons outside the game (phrases, panel answers, Start) keep Space for themselves.
        if (qobject_cast<QAbstractButton*>(focus) && part != Categories &&
            focus != m_board->rollButton())
            return false;
        roll();
        return true;
    case Qt::Key_R:
        roll();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (part < 0 || part == Chat || part == Sheet) return false;
        moveInPart(focus, key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1);
        return true;
    default:
        break;
    }
    if (key >= Qt::Key_1 && key <= Qt::Key_5) {
        toggleDie(key - Qt::Key_0);
        return true;
    }
    return false;
}

} // namespace ui
