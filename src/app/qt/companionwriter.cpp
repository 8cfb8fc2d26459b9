// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/companionwriter.h"

#include <QTcpSocket>

namespace ui {

void CompanionWriter::setSocket(QTcpSocket* socket) {
    if (m_socket == socket) return;
    if (m_socket) m_socket->disconnect(this);
    m_socket = socket;
    if (!socket) return;
    // A new connection has heard nothing yet.
    connect(socket, &QTcpSocket::connected, this, [this] {
        m_table.due = !m_table.text.empty();
        m_reach.due = !m_reach.text.empty();
        flush();
    });
    connect(socket, &QTcpSocket::bytesWritten, this, &CompanionWriter::flush);
    m_table.due = !m_table.text.empty();
    m_reach.due = !m_reach.text.empty();
    flush();
}

void CompanionWriter::setTable(const lobby::LobbyTable& table) {
    update(m_table, lobby::tableLine(table));
}

void CompanionWriter::setReach(const lobby::ReachLine& reach) {
    update(m_reach, lobby::reachLine(reach));
}

void CompanionWriter::update(Line& line, std::string text) {
    if (text == line.text) return;
    line.text = std::move(text);
    line.due = true;
    flush();
}

void CompanionWriter::flush() {
    if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState) return;
    for (Line* line : {&m_reach, &m_table}) {
        if (!line->due || m_socket->bytesToWrite() >= kMaxQueued) continue;
        m_socket->write(line->text.data(), static_cast<qint64>(line->text.size()));
        line->due = false;
    }
}

} // namespace ui
