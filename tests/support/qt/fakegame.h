// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stands in for the game the lobby starts: a script that records its arguments, connects to
// the lobby's companion port like a hosting copy, writes there whatever lines the test gives
// it, and runs until stopped.

#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace testsupport {

class FakeGame {
public:
    FakeGame();
    ~FakeGame();

    QString program() const;
    // The companion port the lobby should listen on for this game (free when made).
    quint16 port() const { return m_port; }
    // The arguments of the last start; empty before.
    QStringList arguments() const;
    // Lines for the running game to write to its companion connection.
    void say(const std::string& lines);
    // Ends the running game; the next start runs until stopped again.
    void stop();
    void forget(); // the recorded arguments

private:
    QTemporaryDir m_dir;
    quint16 m_port = 0;
    int m_said = 0;
};

} // namespace testsupport
