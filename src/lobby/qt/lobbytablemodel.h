// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lobby's one list of tables: those announced on this network, kept up to date from the
// browser's reports (a table appears when first found, its row changes with its fields, and it
// vanishes when it is gone from every interface it was seen on), followed by those the
// internet lobby's room lists. A column says where each was found.

#include "lobby/lobbyroster.h"
#include "net/qt/tablebrowser.h"

#include <QAbstractTableModel>

#include <map>
#include <vector>

namespace ui {

class LobbyTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Host, Seated, Watching, Free, Game, Version, Address, Where, ColumnCount };

    explicit LobbyTableModel(QObject* parent = nullptr);

    void found(const FoundTable& table);
    void gone(const QString& name, const QString& domain, int interfaceIndex);
    // The internet lobby's tables, all of them (an empty list when signed out).
    void setInternetTables(const std::vector<lobby::ListedTable>& tables);

    // The local table shown in a row (its latest report), or null.
    const FoundTable* tableAt(int row) const;
    // The row of a local service, or -1.
    int rowOf(const QString& name, const QString& domain) const;
    // Any row's table as the lobby lists it, or null.
    const lobby::LobbyTable* listingAt(int row) const;
    bool isInternet(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        QString name;
        QString domain;
        std::map<int, FoundTable> seen; // by interface
        FoundTable latest;
        lobby::LobbyTable listing;
    };
    void changed(int row);
    int localCount() const { return static_cast<int>(m_rows.size()); }

    std::vector<Row> m_rows;                    // this network
    std::vector<lobby::ListedTable> m_internet; // by publisher
};

} // namespace ui
