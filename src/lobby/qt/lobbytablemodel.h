// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lobby's list of tables on this network, one row per announced table, kept up to date
// from the browser's reports: a table appears when first found, its row changes with its
// fields, and it vanishes when it is gone from every interface it was seen on.

#include "net/qt/tablebrowser.h"

#include <QAbstractTableModel>

#include <map>
#include <vector>

namespace ui {

class LobbyTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Join holds no text: the lobby puts its button there.
    enum Column { Host, Seated, Watching, Free, Game, Version, Address, Join, ColumnCount };

    explicit LobbyTableModel(QObject* parent = nullptr);

    void found(const FoundTable& table);
    void gone(const QString& name, const QString& domain, int interfaceIndex);

    // The table shown in a row (its latest report), or null.
    const FoundTable* tableAt(int row) const;
    // The row of a service, or -1.
    int rowOf(const QString& name, const QString& domain) const;

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
    };
    std::vector<Row> m_rows;
};

} // namespace ui
