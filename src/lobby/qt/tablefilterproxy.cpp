// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/tablefilterproxy.h"

#include "lobby/qt/lobbytablemodel.h"

namespace ui {

TableFilterProxy::TableFilterProxy(LobbyTableModel* tables, QObject* parent)
    : QSortFilterProxyModel(parent), m_tables(tables) {
    setSourceModel(tables);
}

void TableFilterProxy::setFilter(const lobby::TableFilter& filter) {
    m_filter = filter;
    invalidateFilter();
}

bool TableFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (sourceParent.isValid()) return false;
    const lobby::LobbyTable* table = m_tables->listingAt(sourceRow);
    return table && lobby::passes(*table, m_filter);
}

} // namespace ui
