// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/coachmenu.h"

#include "chat/settings.h"
#include "client/qt/boardview.h"
#include "client/qt/hintbubble.h"
#include "client/tableclient.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include <cmath>

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
        const std::string text = client.hintClick();
        if (!text.empty()) showOverDice(QString::fromStdString(text));
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

void CoachMenu::showOverDice(const QString& text) {
    auto* window = qobject_cast<QWidget*>(parent());
    QWidget* first = window ? window->findChild<QWidget*>(QStringLiteral("image_d1")) : nullptr;
    QWidget* last = window ? window->findChild<QWidget*>(QStringLiteral("image_d5")) : nullptr;
    if (!first || !last) return;
    if (!m_note) m_note = new HintBubble(first->parentWidget());
    // Over the status banner, down to just above a raised die, so no die is covered.
    auto* board = qobject_cast<BoardView*>(first->parentWidget());
    const qreal scale = board ? board->scale() : 1.0;
    const int diceTop =
        first->y() - int(std::ceil((m_client.board().die(1).top - core::kDieRaisedTop) * scale));
    QWidget* status = window->findChild<QWidget*>(QStringLiteral("label_status"));
    const int top = status ? status->y() - std::max(1, int(2 * scale)) : diceTop - int(40 * scale);
    const int gap = std::max(2, int(3 * scale));
    m_noteFor = position();
    m_note->showIn(QRect(QPoint(first->x(), std::min(top, diceTop - gap - 1)),
                         QPoint(last->geometry().right(), diceTop - gap)),
                   text, scale);
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
