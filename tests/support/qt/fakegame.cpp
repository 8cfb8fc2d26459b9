// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/fakegame.h"

#include <QFile>
#include <QTcpServer>

namespace testsupport {

FakeGame::FakeGame() {
    QTcpServer probe;
    if (probe.listen(QHostAddress::LocalHost)) m_port = probe.serverPort();
    probe.close();
    QFile game(program());
    if (!game.open(QIODevice::WriteOnly)) return;
    // Lines arrive as files renamed into place, so the script never reads half of one. It
    // ends with the test, too, should the test die before stopping it.
    game.write(
        QStringLiteral("#!/bin/bash\n"
                       "cd '%1' || exit 1; rm -f stop\n"
                       "printf '%s\\n' \"$@\" > args.tmp; mv args.tmp args\n"
                       "exec 3<>/dev/tcp/127.0.0.1/%2\n"
                       "while [ ! -e stop ] && kill -0 $PPID 2>/dev/null; do\n"
                       "  for f in lines.*; do [ -e \"$f\" ] && cat \"$f\" >&3 && rm \"$f\"; done\n"
                       "  sleep 0.02\n"
                       "done\n")
            .arg(m_dir.path())
            .arg(m_port)
            .toUtf8());
    game.close();
    game.setPermissions(game.permissions() | QFile::ExeOwner);
}

FakeGame::~FakeGame() {
    stop();
}

QString FakeGame::program() const {
    return m_dir.filePath(QStringLiteral("game"));
}

QStringList FakeGame::arguments() const {
    QFile f(m_dir.filePath(QStringLiteral("args")));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void FakeGame::say(const std::string& lines) {
    const QString name = QStringLiteral("said.%1").arg(++m_said, 4, 10, QLatin1Char('0'));
    QFile f(m_dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly)) return;
    f.write(lines.data(), qint64(lines.size()));
    f.close();
    QFile::rename(m_dir.filePath(name), m_dir.filePath(QStringLiteral("lines.") + name));
}

void FakeGame::stop() {
    QFile(m_dir.filePath(QStringLiteral("stop"))).open(QIODevice::WriteOnly);
}

void FakeGame::forget() {
    QFile::remove(m_dir.filePath(QStringLiteral("args")));
}

} // namespace testsupport
