// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/seatholdoption.h"

#include "chat/settings.h"
#include "client/qt/tablehosting.h"

#include <QAction>
#include <QMenu>

namespace ui {

SeatHoldOption::SeatHoldOption(QMenu* options, core::Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings) {
    m_action = options->addAction(tr("Hold Seats of Dropped Players"));
    m_action->setObjectName(QStringLiteral("HoldSeats1"));
    m_action->setCheckable(true);
    m_action->setChecked(settings.holdSeats());
    apply();
    connect(m_action, &QAction::triggered, this, [this](bool on) {
        m_settings.setHoldSeats(on);
        apply();
    });
}

void SeatHoldOption::setHosting(TableHosting* hosting) {
    m_hosting = hosting;
    apply();
}

void SeatHoldOption::applySettings() {
    m_action->setChecked(m_settings.holdSeats());
    apply();
}

void SeatHoldOption::setHostsTable(bool hosts) {
    m_hostsTable = hosts;
    apply();
}

void SeatHoldOption::apply() {
    if (m_hosting) m_hosting->setHoldSeats(m_settings.holdSeats());
    // The seats are held by the game host; a copy that joins another's table has none to tell.
    m_action->setEnabled(m_hostsTable);
    const QString tip =
        m_hostsTable ? tr("A player whose connection drops during a game keeps their seat for two "
                          "minutes, and the computer plays it until they are back.")
                     : tr("Only the copy that hosts the table holds the seats of dropped players; "
                          "this copy joined another's table.");
    m_action->setToolTip(tip);
    m_action->setStatusTip(tip);
}

} // namespace ui
