// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/tempsettingsfile.h"

#include "chat/inifile.h"
#include "chat/qt/settingslocation.h"

#include <QFile>

namespace testsupport {

TempSettingsFile::TempSettingsFile(const QByteArray& contents) {
    ui::SettingsLocation::setOverride(path());
    if (!contents.isEmpty()) write(contents);
}

TempSettingsFile::~TempSettingsFile() {
    ui::SettingsLocation::setOverride(QString());
}

QString TempSettingsFile::path() const {
    return m_dir.filePath(QStringLiteral("quarlobby.ini"));
}

bool TempSettingsFile::exists() const {
    return QFile::exists(path());
}

void TempSettingsFile::write(const QByteArray& contents) {
    QFile file(path());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(contents);
}

QByteArray TempSettingsFile::contents() const {
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::optional<QString> TempSettingsFile::value(const QString& key, const QString& section) const {
    core::IniFile ini;
    ini.load(ui::SettingsLocation::toPath(path()));
    const auto v = ini.value(section.toStdString(), key.toStdString());
    if (!v) return std::nullopt;
    return QString::fromStdString(*v);
}

} // namespace testsupport
