// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score sheet as a screen reader sees it: a table of rows (the categories and the total)
// and columns (the seats) whose cells read like "Ann, Fours: 12", with the cell under the
// keyboard cursor as the focused one. The cells are not widgets; each is a small interface
// of its own, made when first asked for and kept as long as the table's.
#include <QAccessibleWidget>

#include <map>

namespace ui {

class ScoreSheetCursor;

class AccessibleScoreSheet : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleScoreSheet(ScoreSheetCursor* sheet);
    ~AccessibleScoreSheet() override;

    // QAccessibleInterface
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    ScoreSheetCursor* sheet() const;
    mutable std::map<int, QAccessible::Id> m_cells; // child index -> registered cell
};

} // namespace ui
