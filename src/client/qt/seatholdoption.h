// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Options > "Hold Seats of Dropped Players": while it is checked, the game host of this copy
// keeps the seat of a player whose connection dropped during a game for their return (two
// minutes), and the computer plays it meanwhile. Stored in the settings file; it matters only
// in the copy that hosts.

#include "client/qt/tablehosting.h"

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;

namespace core {
class Settings;
}

namespace ui {

class SeatHoldOption : public QObject {
    Q_OBJECT
public:
    SeatHoldOption(QMenu* options, core::Settings& settings, QObject* parent);

    // The game host it switches (null for none); takes the current choice at once.
    void setHosting(TableHosting* hosting);
    // The check mark and the host from the settings just read.
    void applySettings();
    // Whether this copy runs the table's game host, once the command line has said so; a
    // copy that joins another's greys the item.
    void setHostsTable(bool hosts);
    QAction* action() const { return m_action; }

private:
    void apply();

    core::Settings& m_settings;
    QAction* m_action = nullptr;
    QPointer<TableHosting> m_hosting;
    bool m_hostsTable = true;
};

} // namespace ui
