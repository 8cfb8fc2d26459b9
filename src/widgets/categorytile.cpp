// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/categorytile.h"

namespace ui {

CategoryTile::CategoryTile(int category, QWidget* parent)
    : QAbstractButton(parent), m_category(category) {
    setFocusPolicy(Qt::NoFocus);
}

void CategoryTile::setSelectable(bool selectable) {
    m_selectable = selectable;
    setCursor(selectable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
}

void CategoryTile::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CategoryTile::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace ui
