// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/qt/settingslocation.h"

#include "chat/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ui {

namespace {

QString& overridePath() {
    static QString path;
    return path;
}

QString fileName() {
    return QString::fromLatin1(core::Settings::kFileName.data(),
                               static_cast<qsizetype>(core::Settings::kFileName.size()));
}

} // namespace

QString SettingsLocation::choose(const QString& programDir, const QString& configDir) {
    const QFileInfo dir(programDir);
    const QFileInfo portable(QDir(programDir).filePath(fileName()));
    if (!programDir.isEmpty() && dir.isDir() && dir.isWritable() && portable.isFile())
        return portable.absoluteFilePath();
    return QDir(configDir).filePath(fileName());
}

QString SettingsLocation::filePath() {
    if (!overridePath().isEmpty()) return overridePath();
    const QString fromEnvironment = qEnvironmentVariable(kEnvironmentVariable);
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    const QString programDir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return choose(programDir, QStandardPaths::writableLocation(QStandardPaths::ConfigLocation));
}

std::filesystem::path SettingsLocation::path() {
    return toPath(filePath());
}

void SettingsLocation::setOverride(const QString& filePath) {
    overridePath() = filePath;
}

std::filesystem::path SettingsLocation::toPath(const QString& filePath) {
    return std::filesystem::path(QFile::encodeName(filePath).toStdString());
}

} // namespace ui
