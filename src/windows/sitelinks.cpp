// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/sitelinks.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

namespace ui {

QString SiteLinks::lobbyProgramPath() const {
    if (!lobbyProgram.isEmpty()) return lobbyProgram;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bramblies-lobby"));
}

QString SiteLinks::downloadDirectoryPath() const {
    if (!downloadDirectory.isEmpty()) return downloadDirectory;
    return QCoreApplication::applicationDirPath();
}

SiteLinks& siteLinks() {
    static SiteLinks links;
    return links;
}

namespace {
ProgramStarter& programStarter() {
    static ProgramStarter starter = [](const QString& program, const QStringList& arguments,
                                       const QString& dir) {
        return QProcess::startDetached(program, arguments, dir);
    };
    return starter;
}
} // namespace

void setProgramStarter(ProgramStarter starter) {
    programStarter() = std::move(starter);
}

bool startProgram(const QString& program, const QStringList& arguments, const QString& dir) {
    return programStarter() && programStarter()(program, arguments, dir);
}

QString creditsText(int year) {
    return QStringLiteral("Game design, code and pictures\n"
                          "by the Bramblies developers.\n"
                          "Copyright 2006-%1")
        .arg(year);
}

} // namespace ui
