// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/peoplelist.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>

namespace lobby {

PeopleList::PeopleList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("list_people"));
    setAccessibleName(tr("People online"));
    setColumnCount(3);
    setHeaderLabels({tr("Name"), tr("Doing"), tr("Notes")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &PeopleList::showMenu);
    connect(this, &QTreeWidget::currentItemChanged, this, [this] { updateActions(); });

    m_ignore =
        addAction(tr("&Ignore"), QKeySequence(Qt::CTRL | Qt::Key_I), &PeopleList::ignoreToggled);
    m_ignore->setCheckable(true);
    m_kick = addAction(tr("&Kick"), QKeySequence(Qt::CTRL | Qt::Key_K), &PeopleList::kickRequested);
    m_ban = addAction(tr("&Ban"), QKeySequence(Qt::CTRL | Qt::Key_B), &PeopleList::banRequested);
    updateActions();
}

QAction* PeopleList::addAction(const QString& text, const QKeySequence& keys,
                               void (PeopleList::*signal)(const QString&)) {
    auto* action = new QAction(text, this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, [this, signal] {
        const QString nick = currentNick();
        if (!nick.isEmpty() && nick != m_self) emit(this->*signal)(nick);
    });
    QWidget::addAction(action);
    return action;
}

QString PeopleList::activityText(Activity activity) {
    switch (activity) {
    case Activity::Playing:
        return tr("playing");
    case Activity::Hosting:
        return tr("hosting");
    case Activity::InLobby:
        break;
    }
    return tr("in the lobby");
}

void PeopleList::setPeople(const std::vector<Person>& people) {
    const QString current = currentNick();
    // One item per person, reused, so the current row and the scroll position stay put.
    while (topLevelItemCount() > static_cast<int>(people.size()))
        delete takeTopLevelItem(topLevelItemCount() - 1);
    for (std::size_t i = 0; i < people.size(); ++i) {
        QTreeWidgetItem* item = topLevelItem(static_cast<int>(i));
        if (!item) item = new QTreeWidgetItem(this);
        const Person& p = people[i];
        QStringList notes;
        if (p.role == Role::Moderator) notes << tr("moderator");
        if (p.ignored) notes << tr("ignored");
        item->setText(0, QString::fromStdString(p.nick));
        item->setText(1, activityText(p.activity));
        item->setText(2, notes.join(QStringLiteral(", ")));
        if (item->text(0) == current) setCurrentItem(item);
    }
    updateActions();
}

void PeopleList::setSelf(const QString& nick, bool moderator) {
    m_self = nick;
    m_moderator = moderator;
    updateActions();
}

QString PeopleList::currentNick() const {
    const QTreeWidgetItem* item = currentItem();
    return item ? item->text(0) : QString();
}

void PeopleList::updateActions() {
    const QString nick = currentNick();
    const bool other = !nick.isEmpty() && nick != m_self;
    m_ignore->setEnabled(other);
    m_ignore->setChecked(currentItem() && currentItem()->text(2).contains(tr("ignored")));
    m_kick->setVisible(m_moderator);
    m_ban->setVisible(m_moderator);
    m_kick->setEnabled(m_moderator && other);
    m_ban->setEnabled(m_moderator && other);
}

void PeopleList::showMenu(const QPoint& at) {
    if (QTreeWidgetItem* item = itemAt(at)) setCurrentItem(item);
    if (currentNick().isEmpty()) return;
    updateActions();
    QMenu menu(this);
    menu.addActions(actions());
    // From the keyboard the menu opens beside the current row.
    QPoint where = at;
    if (currentItem() && !itemAt(at)) where = visualItemRect(currentItem()).bottomLeft();
    menu.exec(viewport()->mapToGlobal(where));
}

} // namespace lobby
