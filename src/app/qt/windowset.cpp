// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/windowset.h"

#include "windows/tgamestart.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace ui {

const std::array<WindowSet::Role, WindowSet::kRoleCount>& WindowSet::order() {
    static const std::array<Role, kRoleCount> roles = {
        Role::Table,   Role::Tally, Role::About,   Role::Download,  Role::Help,
        Role::Phrases, Role::Host,  Role::SpyList, Role::GameStart, Role::Solo};
    return roles;
}

WindowSet::WindowSet(QObject* parent) : QObject(parent) {}

WindowSet::~WindowSet() {
    // Undo the creation in reverse order. Windows parented to the table go with it; the
    // guarded pointers skip whatever has gone already.
    for (int i = m_createdCount - 1; i >= 0; --i) {
        QPointer<QObject>& obj = m_objects[index(m_createdOrder[static_cast<size_t>(i)])];
        if (obj && !obj->parent()) delete obj.data();
    }
}

void WindowSet::setCreator(Role role, Creator creator, Made made) {
    m_creators[index(role)] = std::move(creator);
    m_made[index(role)] = role == Role::Table ? Made::AtStart : made;
}

bool WindowSet::hasCreator(Role role) const {
    return static_cast<bool>(m_creators[index(role)]);
}

void WindowSet::addDefaultCreators() {
    setCreator(Role::GameStart,
               [](WindowSet& set) -> QObject* { return new Tgamestart(set.table()); });
}

bool WindowSet::createAll() {
    if (m_created) return true;
    if (!hasCreator(Role::Table)) return false;
    for (Role role : order()) {
        const Creator& create = m_creators[index(role)];
        if (!create || m_made[index(role)] == Made::WhenFirstAsked) continue;
        QObject* obj = create(*this);
        if (!obj) {
            if (role == Role::Table) return false;
            continue;
        }
        if (role == Role::Table && !obj->isWidgetType()) {
            delete obj;
            return false;
        }
        m_objects[index(role)] = obj;
        m_createdOrder[static_cast<size_t>(m_createdCount++)] = role;
        if (role == Role::Table) {
            obj->installEventFilter(this);
        } else if (obj->isWidgetType()) {
            static_cast<QWidget*>(obj)->hide();
        }
    }
    m_created = true;
    return true;
}

QObject* WindowSet::object(Role role) {
    QPointer<QObject>& obj = m_objects[index(role)];
    const Creator& create = m_creators[index(role)];
    if (!obj && m_created && create && m_made[index(role)] == Made::WhenFirstAsked)
        obj = create(*this);
    return obj.data();
}

QWidget* WindowSet::window(Role role) {
    QObject* obj = object(role);
    return obj && obj->isWidgetType() ? static_cast<QWidget*>(obj) : nullptr;
}

QWidget* WindowSet::table() const {
    return qobject_cast<QWidget*>(m_objects[index(Role::Table)].data());
}

Tgamestart* WindowSet::gameStart() {
    return as<Tgamestart>(Role::GameStart);
}

bool WindowSet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched == object(Role::Table)) {
        // The table window may still refuse the close in its own handler; look once the event
        // has been dealt with.
        QPointer<QObject> table = watched;
        QTimer::singleShot(0, this, [this, table] {
            auto* w = qobject_cast<QWidget*>(table.data());
            if (!w || !w->isVisible()) emit tableClosed();
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
