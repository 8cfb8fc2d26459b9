// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game the lobby starts, one at a time. While it runs the lobby listens on 127.0.0.1 where
// the game looks for its companion and reads the lines a hosting game writes there
// (lobby/companionlines.h); a connection whose stream goes bad is closed. What the game's
// lines mean for our presence in the room is kept in presence().

#include "lobby/companionlines.h"
#include "lobby/gamepresence.h"

#include <QObject>
#include <QProcess>
#include <QTcpServer>

#include <map>
#include <string>
#include <vector>

class QTcpSocket;

namespace lobby {

class GameRunner : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kReadBuffer = 16 * 1024; // bytes held per companion connection

    explicit GameRunner(QString program, QObject* parent = nullptr);
    ~GameRunner() override;

    bool running() const { return m_game.state() != QProcess::NotRunning; }
    // Starts the game with these arguments; it hosts at `hostingPort`, or joins when 0.
    void start(const std::vector<std::string>& arguments, int hostingPort);
    const GamePresence& presence() const { return m_presence; }
    // Where the companion is listened for: the game always looks at core::kCompanionPort; a
    // test's fake game may be told another.
    void setCompanionPort(quint16 port) { m_companionPort = port; }

signals:
    void presenceChanged();
    void status(const QString& text);
    void runningChanged(bool running);

private:
    void acceptCompanion();
    void readCompanion(QTcpSocket* socket);
    void ended();

    QString m_program;
    quint16 m_companionPort;
    QProcess m_game;
    QTcpServer m_server;
    GamePresence m_presence;
    std::map<QTcpSocket*, CompanionReader> m_readers;
};

} // namespace lobby
