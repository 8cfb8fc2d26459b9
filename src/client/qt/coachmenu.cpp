#include "client/qt/coachmenu.h"

#include "chat/settings.h"
#include "client/tableclient.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QToolTip>
#include <QWidget>

namespace ui {

CoachMenu::CoachMenu(QMenu* game, QMenu* options, core::Settings& settings,
                     core::TableClient& client, std::function<void()> redraw, QObject* parent)
    : QObject(parent), m_settings(settings) {
    m_hint = new QAction(tr("Hint"), this);
    // Before the menu's last item (Exit), when it has one.
    const auto items = game->actions();
    game->insertAction(items.isEmpty() ? nullptr : items.last(), m_hint);
    m_hint->setObjectName(QStringLiteral("Hint1"));
    m_hint->setShortcut(QKeySequence(kHintKey));
    const QString tip = tr("Hint (H): the best move now and the points it is worth. It raises "
                           "the dice to keep; nothing is rolled or chosen for you.");
    m_hint->setToolTip(tip);
    m_hint->setStatusTip(tip);
    connect(m_hint, &QAction::triggered, this, [this, &client, redraw] {
        const std::string text = client.hintClick();
        if (redraw) redraw();
        if (!text.empty()) showOverDice(QString::fromStdString(text));
    });

    QMenu* computer = options->addMenu(tr("Computer Player"));
    computer->setObjectName(QStringLiteral("ComputerPlayer1"));
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

void CoachMenu::showOverDice(const QString& text) {
    auto* window = qobject_cast<QWidget*>(parent());
    QWidget* die = window ? window->findChild<QWidget*>(QStringLiteral("image_d1")) : nullptr;
    if (!die) return;
    // Rich text, so that the tip wraps instead of running off the screen.
    QToolTip::showText(die->mapToGlobal(QPoint(0, -die->height())),
                       QStringLiteral("<p>") + text.toHtmlEscaped() + QStringLiteral("</p>"), die);
}

void CoachMenu::applySettings() {
    (m_settings.expertComputer() ? m_expert : m_classic)->setChecked(true);
}

core::ComputerStyle CoachMenu::style() const {
    return m_settings.expertComputer() ? core::ComputerStyle::Expert : core::ComputerStyle::Classic;
}

} // namespace ui
