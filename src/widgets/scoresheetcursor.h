// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard's way into the score sheet: a see-through layer over the sheet's cells that
// takes the focus as one stop, moves a cell cursor with the arrow keys (Home and End jump to
// the first and last seat of the row) and draws it while it has the focus. The mouse goes
// through it to whatever lies beneath.
//
// It knows the cells only as widgets laid out in rows and columns, and what each reads as
// through a text source; a screen reader sees it as a table of those cells.
#include <QWidget>

#include <functional>
#include <vector>

namespace ui {

class ScoreSheetCursor : public QWidget {
    Q_OBJECT
public:
    // text(row, column), both 0-based.
    using TextSource = std::function<QString(int row, int column)>;

    explicit ScoreSheetCursor(QWidget* parent = nullptr);

    // cells[row][column]; every row as long as the first. The layer covers them all and
    // follows them when they move.
    void setCells(std::vector<std::vector<QWidget*>> cells);
    void setTextSource(TextSource source) { m_text = std::move(source); }

    int rowCount() const { return int(m_cells.size()); }
    int columnCount() const { return m_cells.empty() ? 0 : int(m_cells.front().size()); }
    QString cellText(int row, int column) const;
    // The cell's rectangle in this widget's coordinates.
    QRect cellRect(int row, int column) const;

    int currentRow() const { return m_row; }
    int currentColumn() const { return m_column; }
    void setCurrent(int row, int column);

    // Tells a screen reader that a cell's text changed.
    void cellChanged(int row, int column);

signals:
    void currentChanged(int row, int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void cover();

    std::vector<std::vector<QWidget*>> m_cells;
    TextSource m_text;
    int m_row = 0;
    int m_column = 0;
};

} // namespace ui
