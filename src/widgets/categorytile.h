// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a category button and a category bar share: the category they stand for, whether a click
// on them may ask for it (selectable: pointing hand, lit under the mouse), and the hover state.
// The board decides what a click does; the subclasses only paint.
#include <QAbstractButton>

namespace ui {

class CategoryTile : public QAbstractButton {
    Q_OBJECT
public:
    int category() const { return m_category; }
    void setSelectable(bool selectable);
    bool isSelectable() const { return m_selectable; }

protected:
    CategoryTile(int category, QWidget* parent);
    // Drawn lit while selectable and under the mouse or pressed.
    bool isLit() const { return m_selectable && (m_hovered || isDown()); }
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int m_category;
    bool m_selectable = false;
    bool m_hovered = false;
};

} // namespace ui
