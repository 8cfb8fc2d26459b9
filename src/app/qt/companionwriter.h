// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the hosting copy tells the lobby that started it, on the companion connection the
// table window keeps to it: the latest "table" and "reach" lines (lobby/companionlines.h).
// A line goes out only when it differs from the last one of its kind, and only while the
// connection is up; when it comes up, the latest of each goes out. A lobby that does not
// read gets at most kMaxQueued bytes queued: later lines wait (only the latest of each kind
// is kept) until it takes them. Nothing here ever waits for the lobby.

#include "lobby/companionlines.h"

#include <QObject>
#include <QPointer>

#include <string>

class QTcpSocket;

namespace ui {

class CompanionWriter : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kMaxQueued = 4 * lobby::kMaxCompanionLine;

    using QObject::QObject;

    // The companion connection, connected or on its way (null: none).
    void setSocket(QTcpSocket* socket);
    void setTable(const lobby::LobbyTable& table);
    void setReach(const lobby::ReachLine& reach);

private:
    struct Line {
        std::string text;
        bool due = false; // not yet written on this connection
    };
    void update(Line& line, std::string text);
    void flush();

    QPointer<QTcpSocket> m_socket;
    Line m_table;
    Line m_reach;
};

} // namespace ui
