// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/scoresheetcursor.h"

#include "widgets/focusring.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

namespace ui {

ScoreSheetCursor::ScoreSheetCursor(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::TabFocus);
}

void ScoreSheetCursor::setCells(std::vector<std::vector<QWidget*>> cells) {
    m_cells = std::move(cells);
    // The corner cells say where the sheet is; they move whenever the board is laid out.
    if (!m_cells.empty() && !m_cells.front().empty()) {
        m_cells.front().front()->installEventFilter(this);
        m_cells.back().back()->installEventFilter(this);
    }
    cover();
}

QString ScoreSheetCursor::cellText(int row, int column) const {
    return m_text ? m_text(row, column) : QString();
}

QRect ScoreSheetCursor::cellRect(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    const QWidget* cell = m_cells[size_t(row)][size_t(column)];
    return QRect(mapFromGlobal(cell->mapToGlobal(QPoint(0, 0))), cell->size());
}

void ScoreSheetCursor::setCurrent(int row, int column) {
    row = std::clamp(row, 0, std::max(0, rowCount() - 1));
    column = std::clamp(column, 0, std::max(0, columnCount() - 1));
    if (row == m_row && column == m_column) return;
    m_row = row;
    m_column = column;
    update();
    if (hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(m_row * columnCount() + m_column);
        QAccessible::updateAccessibility(&focus);
    }
    emit currentChanged(m_row, m_column);
}

void ScoreSheetCursor::cellChanged(int row, int column) {
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    changed.setChild(row * columnCount() + column);
    QAccessible::updateAccessibility(&changed);
}

void ScoreSheetCursor::cover() {
    if (m_cells.empty() || m_cells.front().empty() || !parentWidget()) return;
    const QWidget* first = m_cells.front().front();
    const QWidget* last = m_cells.back().back();
    const QPoint topLeft = parentWidget()->mapFromGlobal(first->mapToGlobal(QPoint(0, 0)));
    const QPoint bottomRight =
        parentWidget()->mapFromGlobal(last->mapToGlobal(QPoint(last->width(), last->height())));
    // A little room around the sheet for the cursor's ring.
    setGeometry(QRect(topLeft, bottomRight).adjusted(-4, -4, 4, 4));
    raise();
    update();
}

bool ScoreSheetCursor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) cover();
    return QWidget::eventFilter(watched, event);
}

void ScoreSheetCursor::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & ~Qt::KeypadModifier) return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Left:
        setCurrent(m_row, m_column - 1);
        break;
    case Qt::Key_Right:
        setCurrent(m_row, m_column + 1);
        break;
    case Qt::Key_Up:
        setCurrent(m_row - 1, m_column);
        break;
    case Qt::Key_Down:
        setCurrent(m_row + 1, m_column);
        break;
    case Qt::Key_Home:
        setCurrent(m_row, 0);
        break;
    case Qt::Key_End:
        setCurrent(m_row, columnCount() - 1);
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    event->accept();
}

void ScoreSheetCursor::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void ScoreSheetCursor::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void ScoreSheetCursor::paintEvent(QPaintEvent*) {
    if (!hasFocus()) return;
    QPainter p(this);
    FocusRing::paint(p, QRectF(cellRect(m_row, m_column)).adjusted(-1.5, -1.5, 1.5, 1.5));
}

} // namespace ui
