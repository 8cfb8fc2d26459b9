// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The people in the lobby room: name, what they are doing and notes (moderator, ignored).
// Its context menu, also reached by the menu key and by shortcuts while the list has the
// focus, ignores a person and, for a moderator, kicks or bans one; the window acts on it.

#include "lobby/lobbyroster.h"

#include <QTreeWidget>

#include <vector>

class QAction;

namespace lobby {

class PeopleList : public QTreeWidget {
    Q_OBJECT
public:
    explicit PeopleList(QWidget* parent = nullptr);

    void setPeople(const std::vector<Person>& people);
    // Our own nick (never kicked, banned or ignored by ourselves) and whether we moderate.
    void setSelf(const QString& nick, bool moderator);
    QString currentNick() const;

    static QString activityText(Activity activity);

signals:
    void ignoreToggled(const QString& nick);
    void kickRequested(const QString& nick);
    void banRequested(const QString& nick);

private:
    void showMenu(const QPoint& at);
    void updateActions();
    QAction* addAction(const QString& text, const QKeySequence& keys,
                       void (PeopleList::*signal)(const QString&));

    QString m_self;
    bool m_moderator = false;
    QAction* m_ignore = nullptr;
    QAction* m_kick = nullptr;
    QAction* m_ban = nullptr;
};

} // namespace lobby
