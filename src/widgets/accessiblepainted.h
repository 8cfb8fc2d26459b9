// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a screen reader sees the board's painted controls: a die is a toggle button whose
// checked state is its hold, a category tile a button that is unavailable while it may not
// be chosen, a seat label a text with a menu, the rolls indicator a text with a value, a mark
// a picture. The names come from the widget's accessible name, which the board keeps up to
// date ("Die 3: five, held"); a mark names itself by its kind.
#include <QAccessibleWidget>

namespace ui {

// The widget property a checkable painted control carries its checked state in.
inline constexpr char kAccessibleCheckedProperty[] = "accessibleChecked";

class AccessiblePainted : public QAccessibleWidget {
public:
    AccessiblePainted(QWidget* widget, QAccessible::Role role, QString fallbackName = {});

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    QString m_fallbackName;
};

} // namespace ui
