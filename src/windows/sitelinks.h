// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Web addresses and outside programs the help, about, solo and lobby windows use. They are
// configuration values: the program sets them once at start-up, before the windows are
// created, and tests point them at local servers and fake programs.

#include <QString>
#include <QStringList>

#include <functional>

namespace ui {

struct SiteLinks {
    // The maker's web page, written without a scheme (it is shown as text).
    QString makerAddress = QStringLiteral("www.bramblies.example");
    // The solo game's page; "http://" is put in front when it is opened.
    QString soloAddress = QStringLiteral("www.bramblies.example/solo");
    // The page explaining modem, router and firewall settings for hosting.
    QString networkAddress = QStringLiteral("www.bramblies.example/network");
    // Where the lobby installer is fetched from (https only); its last path segment names the
    // file.
    QString installerUrl = QStringLiteral("https://www.bramblies.example/files/quar77lobby.exe");
    // Arguments given to the downloaded installer.
    QStringList installerArguments = {QStringLiteral("/SP-"), QStringLiteral("/silent"),
                                      QStringLiteral("/noicons")};
    // Directory the installer is downloaded to; empty = the program's directory.
    QString downloadDirectory;
    // The lobby program and its arguments; an empty path = "bramblies-lobby" beside the
    // executable.
    QString lobbyProgram;
    QStringList lobbyArguments;

    // The lobby program's path with the default filled in.
    QString lobbyProgramPath() const;
    // The download directory with the default filled in.
    QString downloadDirectoryPath() const;
};

// The program-wide values.
SiteLinks& siteLinks();

// Starts another program without waiting for it; false when it cannot be started. Tests
// replace the starter.
using ProgramStarter =
    std::function<bool(const QString& program, const QStringList& arguments, const QString& dir)>;
void setProgramStarter(ProgramStarter starter);
bool startProgram(const QString& program, const QStringList& arguments, const QString& dir);

// The credits block of the help and about windows; its last line ends with the given year.
QString creditsText(int year);

} // namespace ui
