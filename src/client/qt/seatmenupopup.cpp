// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/seatmenupopup.h"

#include "client/tableclient.h"

#include <QAction>
#include <QMenu>

namespace ui {

SeatMenuPopup::SeatMenuPopup(core::TableClient& client, QWidget* parent)
    : QObject(parent), m_client(client), m_menu(new QMenu(parent)) {
    m_menu->setObjectName("popup_kick");
    m_removeAction = m_menu->addAction("Remove From Game");
    m_removeAction->setObjectName("RemoveFromGame1");
    m_setWatchAction = m_menu->addAction("Set to Just Watch");
    m_setWatchAction->setObjectName("SettoJustWatch1");
    m_unsetWatchAction = m_menu->addAction("Unset Just Watch");
    m_unsetWatchAction->setObjectName("UnsetJustWatch1");
    connect(m_removeAction, &QAction::triggered, this, [this] { m_client.RemoveFromGame1Click(); });
    connect(m_setWatchAction, &QAction::triggered, this,
            [this] { m_client.SettoJustWatch1Click(); });
    connect(m_unsetWatchAction, &QAction::triggered, this,
            [this] { m_client.UnsetJustWatch1Click(); });
}

void SeatMenuPopup::seatLabelReleased(int seat, Qt::MouseButton button, const QPoint& globalPos) {
    const core::SeatMenuState menu = m_client.label_playernameMouseUp(seat);
    m_removeAction->setEnabled(menu.removeEnabled);
    m_setWatchAction->setEnabled(menu.setJustWatchEnabled);
    m_unsetWatchAction->setEnabled(menu.unsetJustWatchEnabled);
    if (button == Qt::RightButton) m_menu->popup(globalPos);
}

} // namespace ui
