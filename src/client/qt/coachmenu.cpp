// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/coachmenu.h"

#include "chat/settings.h"
#include "client/qt/boardlayout.h"
#include "client/qt/boardview.h"
#include "client/qt/hintbubble.h"
#include "client/tableclient.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace ui {

CoachMenu::CoachMenu(QMenu* game, QMenu* options, core::Settings& settings,
                     core::TableClient& client, QObject* parent)
    : QObject(parent), m_settings(settings), m_client(client) {
    m_hint = new QAction(tr("&Hint"), this);
    m_hint->setEnabled(false); // until the player's own turn
    // Before the menu's last item (Exit), when it has one.
    const auto items = game->actions();
    game->insertAction(items.isEmpty() ? nullptr : items.last(), m_hint);
    m_hint->setObjectName(QStringLiteral("Hint1"));
    m_hint->setShortcut(QKeySequence(kHintKey));
    const QString tip = tr("Hint (H): the best move now and the points it is worth. It raises "
                           "the dice to keep; nothing is rolled or chosen for you.");
    m_hint->setToolTip(tip);
    m_hint->setStatusTip(tip);
    // The client redraws the board itself when the hint raises dice.
    connect(m_hint, &QAction::triggered, this, [this, &client] {
        if (closeNote()) return; // H again puts the note away
        // Measured against the computer player this copy's host plays with; a joining copy
        // cannot know the host's and measures against the classic one.
        const std::string text =
            client.hintClick(client.hosting() ? style() : core::ComputerStyle::Classic);
        if (!text.empty()) showBelowDice(QString::fromStdString(text));
    });

    QMenu* computer = options->addMenu(tr("Computer Player"));
    m_computer = computer;
    computer->setObjectName(QStringLiteral("ComputerPlayer1"));
    computer->menuAction()->setObjectName(QStringLiteral("ComputerPlayerMenu1"));
    auto* group = new QActionGroup(this);
    m_classic = computer->addAction(tr("Classic"));
    m_classic->setObjectName(QStringLiteral("ClassicComputer1"));
    m_expert = computer->addAction(tr("Expert"));
    m_expert->setObjectName(QStringLiteral("ExpertComputer1"));
    for (QAction* a : {m_classic, m_expert}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    m_classic->setChecked(true);
    connect(m_classic, &QAction::triggered, this, [this] { m_settings.setExpertComputer(false); });
    connect(m_expert, &QAction::triggered, this, [this] { m_settings.setExpertComputer(true); });
}

QAction* CoachMenu::computerPlayer() const {
    return m_computer->menuAction();
}

CoachMenu::Shown CoachMenu::position() const {
    const core::BoardModel& b = m_client.board();
    Shown at{b.rollsUsed()};
    for (int d = 1; d <= core::kDiceCount; ++d)
        at[static_cast<std::size_t>(d)] = b.die(d).face;
    return at;
}

void CoachMenu::showBelowDice(const QString& text) {
    auto* window = qobject_cast<QWidget*>(parent());
    auto* board = window ? window->findChild<BoardView*>() : nullptr;
    if (!board) return;
    if (!m_note) {
        m_note = new HintBubble(board);
        // Laid out again with the board, so it keeps its place under the dice at any size.
        connect(board, &BoardView::laidOut, m_note, [this, board] {
            if (m_note->isVisible())
                m_note->showIn(board->toBoard(boardlayout::kHintNote.box), m_noteText,
                               board->scale());
        });
    }
    m_noteFor = position();
    m_noteText = text;
    m_note->showIn(board->toBoard(boardlayout::kHintNote.box), text, board->scale());
}

bool CoachMenu::closeNote() {
    if (!m_note || !m_note->isVisible()) return false;
    m_note->hide();
    return true;
}

void CoachMenu::boardChanged() {
    const bool hint = m_client.hintAvailable();
    m_hint->setEnabled(hint);
    computerPlayer()->setEnabled(m_client.hosting());
    if (m_note && m_note->isVisible() && (!hint || position() != m_noteFor)) m_note->hide();
}

void CoachMenu::applySettings() {
    (m_settings.expertComputer() ? m_expert : m_classic)->setChecked(true);
}

core::ComputerStyle CoachMenu::style() const {
    return m_settings.expertComputer() ? core::ComputerStyle::Expert : core::ComputerStyle::Classic;
}

} // namespace ui
