// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A settings file of its own for one test: points SettingsLocation at a fresh temporary
// folder for the object's lifetime, so the program under test reads and writes there and
// never near the user's real settings. Typical use for a window test:
//
//   TempSettingsFile ini("[bramblies]\nPlaysounds=false\n");
//   { Tchat first; ...toggle a switch...; QCOMPARE(ini.value("Playsounds"), "true"); }
//   { Tchat second; ...let it read the file...; QVERIFY(second's switch is on); }

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <optional>

namespace testsupport {

class TempSettingsFile {
public:
    explicit TempSettingsFile(const QByteArray& contents = {});
    ~TempSettingsFile();
    TempSettingsFile(const TempSettingsFile&) = delete;
    TempSettingsFile& operator=(const TempSettingsFile&) = delete;

    QString path() const;
    bool exists() const;
    // Replaces the file's bytes.
    void write(const QByteArray& contents);
    // The file's bytes (empty when it does not exist).
    QByteArray contents() const;
    // A key's value as the program would read it (section "bramblies" unless given).
    std::optional<QString> value(const QString& key,
                                 const QString& section = QStringLiteral("bramblies")) const;

private:
    QTemporaryDir m_dir;
};

} // namespace testsupport
