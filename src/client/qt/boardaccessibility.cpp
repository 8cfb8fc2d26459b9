// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/boardaccessibility.h"

#include "client/boardmodel.h"
#include "client/controltexts.h"
#include "client/qt/boardview.h"
#include "client/tableclient.h"
#include "widgets/accessiblefactory.h"
#include "widgets/accessiblepainted.h"
#include "widgets/categorytile.h"
#include "widgets/scoresheetcursor.h"

#include <QAccessible>
#include <QVariant>

namespace ui {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// A new name is announced by the widget itself (NameChanged) — on every call, so only a
// name that really changed is set.
void rename(QWidget* w, const QString& name) {
    if (w && w->accessibleName() != name) w->setAccessibleName(name);
}

void announceState(QWidget* w, QAccessible::State changed) {
    QAccessibleStateChangeEvent event(w, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace

BoardAccessibility::BoardAccessibility(const core::TableClient& client, BoardView* board)
    : QObject(board), m_client(client), m_board(board) {
    installAccessibleFactory();

    m_sheet = new ScoreSheetCursor(board);
    m_sheet->setObjectName(QStringLiteral("scoresheet"));
    m_sheet->setAccessibleName(QStringLiteral("Score sheet"));
    std::vector<std::vector<QWidget*>> cells(core::kScoreRows);
    for (int row = 1; row <= core::kScoreRows; ++row)
        for (int seat = 1; seat <= core::kSeatCount; ++seat)
            cells[size_t(row - 1)].push_back(
                child(QStringLiteral("score_%1%2").arg(seat).arg(row)));
    m_sheet->setCells(std::move(cells));
    m_sheet->setTextSource([this](int row, int column) {
        return q(core::cellText(m_client.board(), column + 1, row + 1));
    });
    m_sheet->show();

    update();
}

QWidget* BoardAccessibility::child(const QString& name) const {
    return m_board->findChild<QWidget*>(name);
}

void BoardAccessibility::update() {
    const core::BoardModel& b = m_client.board();

    for (int d = 1; d <= core::kDiceCount; ++d) {
        QWidget* die = child(QStringLiteral("image_d%1").arg(d));
        if (!die) continue;
        rename(die, q(core::dieText(b, d)));
        const QVariant was = die->property(kAccessibleCheckedProperty);
        const bool held = b.die(d).held;
        if (!was.isValid() || was.toBool() != held) {
            die->setProperty(kAccessibleCheckedProperty, held);
            QAccessible::State changed;
            changed.checked = true;
            announceState(die, changed);
        }
    }

    for (int n = 1; n <= core::kCategoryCount; ++n) {
        const QString name = q(core::categoryText(b, n));
        for (const QString& control :
             {QStringLiteral("image_button%1"), QStringLiteral("image_spacer%1")}) {
            auto* tile = qobject_cast<CategoryTile*>(child(control.arg(n)));
            if (!tile) continue;
            rename(tile, name);
            const QVariant was = tile->property("accessibleSelectable");
            if (was.isValid() && was.toBool() != tile->isSelectable()) {
                QAccessible::State changed;
                changed.disabled = true;
                announceState(tile, changed);
            }
            tile->setProperty("accessibleSelectable", tile->isSelectable());
        }
    }

    for (int s = 1; s <= core::kSeatCount; ++s)
        rename(child(QStringLiteral("label_playername%1").arg(s)), q(core::seatText(b, s)));

    if (QWidget* rolls = child(QStringLiteral("image_rolls"))) {
        const QString text = q(core::rollsText(b.rollsUsed()));
        if (rolls->accessibleName() != text) {
            rolls->setAccessibleName(text);
            QAccessibleValueChangeEvent event(rolls, text);
            QAccessible::updateAccessibility(&event);
        }
    }

    // Score cells: report the ones whose reading changed.
    const int columns = m_sheet->columnCount();
    m_cellTexts.resize(size_t(m_sheet->rowCount() * columns));
    for (int row = 0; row < m_sheet->rowCount(); ++row)
        for (int column = 0; column < columns; ++column) {
            QString& known = m_cellTexts[size_t(row * columns + column)];
            const QString now = m_sheet->cellText(row, column);
            if (known == now) continue;
            known = now;
            m_sheet->cellChanged(row, column);
        }
}

} // namespace ui
