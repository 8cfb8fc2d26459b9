// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seat menu (popup_kick) opened on a seat's name label: "Remove From Game", "Set to Just
// Watch" and "Unset Just Watch", each enabled as the table client says for that seat and
// each handed to the client when chosen.

#include <QObject>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace core {
class TableClient;
}

namespace ui {

class SeatMenuPopup : public QObject {
    Q_OBJECT
public:
    // The menu is a child of parent (the board).
    SeatMenuPopup(core::TableClient& client, QWidget* parent);

    // A seat's name label was released: the items follow the client's answer for that seat,
    // and a right click opens the menu.
    void seatLabelReleased(int seat, Qt::MouseButton button, const QPoint& globalPos);

private:
    core::TableClient& m_client;
    QMenu* m_menu;
    QAction* m_removeAction;
    QAction* m_setWatchAction;
    QAction* m_unsetWatchAction;
};

} // namespace ui
