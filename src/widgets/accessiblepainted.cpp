// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/accessiblepainted.h"

#include "widgets/categorytile.h"
#include "widgets/dieview.h"
#include "widgets/rotatedlabel.h"

#include <QVariant>

namespace ui {

AccessiblePainted::AccessiblePainted(QWidget* widget, QAccessible::Role role, QString fallbackName)
    : QAccessibleWidget(widget, role), m_fallbackName(std::move(fallbackName)) {}

QString AccessiblePainted::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name: {
        const QString name = widget()->accessibleName();
        if (!name.isEmpty()) return name;
        if (auto* label = qobject_cast<RotatedLabel*>(widget())) return label->text();
        return m_fallbackName;
    }
    case QAccessible::Value:
        // The rolls indicator's count is its value as well as its name.
        return role() == QAccessible::StaticText ? text(QAccessible::Name) : QString();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State AccessiblePainted::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    const QVariant checked = widget()->property(kAccessibleCheckedProperty);
    if (checked.isValid()) {
        s.checkable = true;
        s.checked = checked.toBool();
    }
    if (auto* tile = qobject_cast<CategoryTile*>(widget())) s.disabled = !tile->isSelectable();
    return s;
}

QStringList AccessiblePainted::actionNames() const {
    if (qobject_cast<DieView*>(widget()) || qobject_cast<CategoryTile*>(widget()))
        return {pressAction()};
    if (qobject_cast<RotatedLabel*>(widget())) return {showMenuAction()};
    return QAccessibleWidget::actionNames();
}

void AccessiblePainted::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        if (auto* die = qobject_cast<DieView*>(widget())) emit die->mouseReleased(Qt::LeftButton);
        if (auto* tile = qobject_cast<CategoryTile*>(widget())) tile->click();
    } else if (actionName == showMenuAction()) {
        if (auto* label = qobject_cast<RotatedLabel*>(widget()))
            emit label->mouseReleased(Qt::RightButton, label->mapToGlobal(label->rect().center()));
    } else {
        QAccessibleWidget::doAction(actionName);
    }
}

} // namespace ui
