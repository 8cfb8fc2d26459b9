// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table list as the filters above it let it through (free seats, not started, this
// program's version), for tables of this network and of the internet alike.

#include "lobby/lobbyroster.h"

#include <QSortFilterProxyModel>

namespace ui {

class LobbyTableModel;

class TableFilterProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit TableFilterProxy(LobbyTableModel* tables, QObject* parent = nullptr);

    void setFilter(const lobby::TableFilter& filter);
    const lobby::TableFilter& filter() const { return m_filter; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    LobbyTableModel* m_tables;
    lobby::TableFilter m_filter;
};

} // namespace ui
