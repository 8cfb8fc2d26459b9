// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/lobbytablemodel.h"

namespace ui {

LobbyTableModel::LobbyTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int LobbyTableModel::rowOf(const QString& name, const QString& domain) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].name == name && m_rows[i].domain == domain) return static_cast<int>(i);
    return -1;
}

void LobbyTableModel::found(const FoundTable& table) {
    const int row = rowOf(table.name, table.domain);
    if (row < 0) {
        const int at = static_cast<int>(m_rows.size());
        beginInsertRows({}, at, at);
        m_rows.push_back({table.name, table.domain, {{table.interfaceIndex, table}}, table});
        endInsertRows();
        return;
    }
    Row& r = m_rows[static_cast<std::size_t>(row)];
    r.seen[table.interfaceIndex] = table;
    r.latest = table;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void LobbyTableModel::gone(const QString& name, const QString& domain, int interfaceIndex) {
    const int row = rowOf(name, domain);
    if (row < 0) return;
    Row& r = m_rows[static_cast<std::size_t>(row)];
    r.seen.erase(interfaceIndex);
    if (!r.seen.empty()) {
        // Still seen elsewhere: show what that interface last said.
        r.latest = r.seen.begin()->second;
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
        return;
    }
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

const FoundTable* LobbyTableModel::tableAt(int row) const {
    if (row < 0 || row >= rowCount()) return nullptr;
    return &m_rows[static_cast<std::size_t>(row)].latest;
}

int LobbyTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int LobbyTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LobbyTableModel::data(const QModelIndex& index, int role) const {
    const FoundTable* t = index.isValid() ? tableAt(index.row()) : nullptr;
    if (!t) return {};
    if (role == Qt::TextAlignmentRole && index.column() >= Seated && index.column() <= Free)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    switch (index.column()) {
    case Host:
        return t->table.host.empty() ? tr("(nobody yet)") : QString::fromStdString(t->table.host);
    case Seated:
        return t->table.seated;
    case Watching:
        return t->table.spectators;
    case Free:
        return t->table.freeSeats;
    case Game:
        return t->table.running ? tr("playing") : tr("waiting");
    case Version:
        return QString::fromStdString(t->table.version);
    case Address:
        return QStringLiteral("%1:%2").arg(t->address).arg(t->port);
    default:
        return {};
    }
}

QVariant LobbyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case Host:
        return tr("Host");
    case Seated:
        return tr("Players");
    case Watching:
        return tr("Watching");
    case Free:
        return tr("Free seats");
    case Game:
        return tr("Game");
    case Version:
        return tr("Version");
    case Address:
        return tr("Address");
    default:
        return {};
    }
}

} // namespace ui
