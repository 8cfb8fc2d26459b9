// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/accessiblescoresheet.h"

#include "widgets/scoresheetcursor.h"

namespace ui {

namespace {

class AccessibleSheetCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    AccessibleSheetCell(ScoreSheetCursor* sheet, int row, int column)
        : m_sheet(sheet), m_row(row), m_column(column) {}

    bool isValid() const override { return m_sheet; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_sheet ? m_sheet->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_sheet);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (!m_sheet || (t != QAccessible::Name && t != QAccessible::Value)) return {};
        return m_sheet->cellText(m_row, m_column);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!m_sheet) return {};
        const QRect r = m_sheet->cellRect(m_row, m_column);
        return QRect(m_sheet->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!m_sheet) return s;
        s.invisible = !m_sheet->isVisible();
        s.focusable = true;
        s.focused = m_sheet->hasFocus() && m_sheet->currentRow() == m_row &&
                    m_sheet->currentColumn() == m_column;
        s.readOnly = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<ScoreSheetCursor> m_sheet;
    int m_row;
    int m_column;
};

} // namespace

AccessibleScoreSheet::AccessibleScoreSheet(ScoreSheetCursor* sheet)
    : QAccessibleWidget(sheet, QAccessible::Table) {}

AccessibleScoreSheet::~AccessibleScoreSheet() {
    for (const auto& [index, id] : m_cells)
        QAccessible::deleteAccessibleInterface(id);
}

ScoreSheetCursor* AccessibleScoreSheet::sheet() const {
    return static_cast<ScoreSheetCursor*>(widget());
}

QString AccessibleScoreSheet::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? QStringLiteral("Score sheet") : name;
    }
    return QAccessibleWidget::text(t);
}

int AccessibleScoreSheet::rowCount() const {
    return sheet()->rowCount();
}

int AccessibleScoreSheet::columnCount() const {
    return sheet()->columnCount();
}

int AccessibleScoreSheet::childCount() const {
    return rowCount() * columnCount();
}

QAccessibleInterface* AccessibleScoreSheet::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    auto found = m_cells.find(index);
    if (found == m_cells.end()) {
        auto* cell = new AccessibleSheetCell(sheet(), index / columnCount(), index % columnCount());
        found = m_cells.emplace(index, QAccessible::registerAccessibleInterface(cell)).first;
    }
    return QAccessible::accessibleInterface(found->second);
}

QAccessibleInterface* AccessibleScoreSheet::cellAt(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
    return child(row * columnCount() + column);
}

int AccessibleScoreSheet::indexOfChild(const QAccessibleInterface* child) const {
    if (!child) return -1;
    for (const auto& [index, id] : m_cells)
        if (QAccessible::accessibleInterface(id) == child) return index;
    return -1;
}

QAccessibleInterface* AccessibleScoreSheet::focusChild() const {
    if (!sheet()->hasFocus()) return nullptr;
    return cellAt(sheet()->currentRow(), sheet()->currentColumn());
}

QString AccessibleScoreSheet::columnDescription(int column) const {
    return sheet()->cellText(0, column).section(QLatin1Char(','), 0, 0);
}

QString AccessibleScoreSheet::rowDescription(int row) const {
    const QString text = sheet()->cellText(row, 0);
    return text.section(QStringLiteral(", "), 1).section(QLatin1Char(':'), 0, 0);
}

void* AccessibleScoreSheet::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

} // namespace ui
