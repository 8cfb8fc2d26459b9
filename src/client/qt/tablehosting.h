// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the table window of the copy that hosts asks of the game host running beside it. The
// program makes that host, its turn engine and its reach (port mapping and announcement) and
// hands the window this (src/app/qt); a window without one cannot host.

#include <QObject>
#include <QString>

class QTcpSocket;

namespace ui {

class TableHosting : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Switches the host's listening socket on at the window's game port (once; later calls
    // only say whether it listens). A table hosted from the command line is then also made
    // reachable from outside and announced nearby. False when the port could not be had.
    virtual bool listen() = 0;
    // Options > "Hold Seats of Dropped Players".
    virtual void setHoldSeats(bool hold) = 0;
    // The window is closing: a copy that hosts takes its game host with it (which closes
    // everybody else's connection), and the router forgets the mapping before the program ends.
    virtual void windowClosing() = 0;
    // The window has opened its companion connection to the lobby that started it; a copy
    // that hosts tells the lobby about its table there.
    virtual void companionOpened(QTcpSocket* /*socket*/) {}

signals:
    // A host notice ("too many rolls", ...), for the notice strip.
    void noticeRaised(const QString& text);
    // The port mapping's one sentence, for the chat.
    void reachReported(const QString& sentence);
};

} // namespace ui
