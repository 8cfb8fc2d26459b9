#include "windows/sitelinks.h"

#include <QCoreApplication>
#include <QDesktopServices>
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
UrlOpener& urlOpener() {
    static UrlOpener opener = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    return opener;
}
ProgramStarter& programStarter() {
    static ProgramStarter starter = [](const QString& program, const QStringList& arguments,
                                       const QString& dir) {
        return QProcess::startDetached(program, arguments, dir);
    };
    return starter;
}
} // namespace

void setUrlOpener(UrlOpener opener) { urlOpener() = std::move(opener); }

void openWebAddress(const QString& address) {
    const QString text = address.contains(QStringLiteral("://"))
                             ? address
                             : QStringLiteral("http://") + address;
    if (urlOpener()) urlOpener()(QUrl(text));
}

void setProgramStarter(ProgramStarter starter) { programStarter() = std::move(starter); }

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
