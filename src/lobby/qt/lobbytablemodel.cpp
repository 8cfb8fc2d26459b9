// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/lobbytablemodel.h"

#include <algorithm>

namespace ui {

namespace {

lobby::LobbyTable listingOf(const FoundTable& found) {
    lobby::LobbyTable t;
    t.host = found.table.host;
    t.address = found.address.toStdString();
    t.port = found.port;
    t.seated = found.table.seated;
    t.spectators = found.table.spectators;
    t.freeSeats = found.table.freeSeats;
    t.running = found.table.running;
    t.version = found.table.version;
    return t;
}

QString addressText(const lobby::LobbyTable& t) {
    const QString address = QString::fromStdString(t.address);
    if (address.contains(QLatin1Char(':')))
        return QStringLiteral("[%1]:%2").arg(address).arg(t.port);
    return QStringLiteral("%1:%2").arg(address).arg(t.port);
}

} // namespace

LobbyTableModel::LobbyTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int LobbyTableModel::rowOf(const QString& name, const QString& domain) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].name == name && m_rows[i].domain == domain) return static_cast<int>(i);
    return -1;
}

void LobbyTableModel::changed(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void LobbyTableModel::found(const FoundTable& table) {
    const int row = rowOf(table.name, table.domain);
    if (row < 0) {
        const int at = localCount();
        beginInsertRows({}, at, at);
        m_rows.push_back(
            {table.name, table.domain, {{table.interfaceIndex, table}}, table, listingOf(table)});
        endInsertRows();
        return;
    }
    Row& r = m_rows[static_cast<std::size_t>(row)];
    r.seen[table.interfaceIndex] = table;
    r.latest = table;
    r.listing = listingOf(table);
    changed(row);
}

void LobbyTableModel::gone(const QString& name, const QString& domain, int interfaceIndex) {
    const int row = rowOf(name, domain);
    if (row < 0) return;
    Row& r = m_rows[static_cast<std::size_t>(row)];
    r.seen.erase(interfaceIndex);
    if (!r.seen.empty()) {
        // Still seen elsewhere: show what that interface last said.
        r.latest = r.seen.begin()->second;
        r.listing = listingOf(r.latest);
        changed(row);
        return;
    }
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

// Rows are changed in place, removed and inserted one publisher at a time (both lists are in
// publisher order), so a selection on a row that stays is kept.
void LobbyTableModel::setInternetTables(const std::vector<lobby::ListedTable>& tables) {
    std::size_t i = 0;
    for (const lobby::ListedTable& next : tables) {
        while (i < m_internet.size() && m_internet[i].publisher < next.publisher) {
            const int row = localCount() + static_cast<int>(i);
            beginRemoveRows({}, row, row);
            m_internet.erase(m_internet.begin() + static_cast<std::ptrdiff_t>(i));
            endRemoveRows();
        }
        const int row = localCount() + static_cast<int>(i);
        if (i < m_internet.size() && m_internet[i].publisher == next.publisher) {
            if (!(m_internet[i].table == next.table)) {
                m_internet[i].table = next.table;
                changed(row);
            }
        } else {
            beginInsertRows({}, row, row);
            m_internet.insert(m_internet.begin() + static_cast<std::ptrdiff_t>(i), next);
            endInsertRows();
        }
        ++i;
    }
    if (i < m_internet.size()) {
        beginRemoveRows({}, localCount() + static_cast<int>(i),
                        localCount() + static_cast<int>(m_internet.size()) - 1);
        m_internet.erase(m_internet.begin() + static_cast<std::ptrdiff_t>(i), m_internet.end());
        endRemoveRows();
    }
}

const FoundTable* LobbyTableModel::tableAt(int row) const {
    if (row < 0 || row >= localCount()) return nullptr;
    return &m_rows[static_cast<std::size_t>(row)].latest;
}

const lobby::LobbyTable* LobbyTableModel::listingAt(int row) const {
    if (row < 0 || row >= rowCount()) return nullptr;
    if (row < localCount()) return &m_rows[static_cast<std::size_t>(row)].listing;
    return &m_internet[static_cast<std::size_t>(row - localCount())].table;
}

bool LobbyTableModel::isInternet(int row) const {
    return row >= localCount() && row < rowCount();
}

int LobbyTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : localCount() + static_cast<int>(m_internet.size());
}

int LobbyTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LobbyTableModel::data(const QModelIndex& index, int role) const {
    const lobby::LobbyTable* t = index.isValid() ? listingAt(index.row()) : nullptr;
    if (!t) return {};
    if (role == Qt::TextAlignmentRole && index.column() >= Seated && index.column() <= Free)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    switch (index.column()) {
    case Host:
        if (isInternet(index.row()) && t->host.empty())
            return QString::fromStdString(
                m_internet[std::size_t(index.row() - localCount())].publisher);
        return t->host.empty() ? tr("(nobody yet)") : QString::fromStdString(t->host);
    case Seated:
        return t->seated;
    case Watching:
        return t->spectators;
    case Free:
        return t->freeSeats;
    case Game:
        return t->running ? tr("playing") : tr("waiting");
    case Version:
        return QString::fromStdString(t->version);
    case Address:
        return addressText(*t);
    case Where:
        return isInternet(index.row()) ? tr("Internet") : tr("This network");
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
    case Where:
        return tr("Found on");
    default:
        return {};
    }
}

} // namespace ui
