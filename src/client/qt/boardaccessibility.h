// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps what the board's painted controls say to a screen reader in step with the board:
// after every redraw it names each die, category tile, seat label and the rolls indicator
// from the client's board model, and tells assistive tools what changed (a die's hold, a
// tile becoming available, a score cell's text). It also lays the score sheet's keyboard
// cursor over the sheet, which a screen reader reads as a table.
#include <QObject>

#include <array>
#include <vector>

class QWidget;

namespace core {
class TableClient;
}

namespace ui {

class BoardView;
class ScoreSheetCursor;

class BoardAccessibility : public QObject {
    Q_OBJECT
public:
    BoardAccessibility(const core::TableClient& client, BoardView* board);

    ScoreSheetCursor* sheet() const { return m_sheet; }
    // Reads the board model again and reports the differences.
    void update();

private:
    QWidget* child(const QString& name) const;

    const core::TableClient& m_client;
    BoardView* m_board;
    ScoreSheetCursor* m_sheet;
    std::vector<QString> m_cellTexts;
};

} // namespace ui
