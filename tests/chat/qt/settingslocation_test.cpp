// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/qt/settingslocation.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using ui::SettingsLocation;

class SettingsLocationTest : public QObject {
    Q_OBJECT
private slots:
    void portableInstallKeepsTheFileBesideTheProgram();
    void overridesComeFirst();
};

void SettingsLocationTest::portableInstallKeepsTheFileBesideTheProgram() {
    QTemporaryDir program, config;
    const QString config_file = config.filePath(QStringLiteral("quarlobby.ini"));
    // No file beside the program: the configuration folder.
    QCOMPARE(SettingsLocation::choose(program.path(), config.path()), config_file);
    QCOMPARE(SettingsLocation::choose(QString(), config.path()), config_file);

    const QString beside = program.filePath(QStringLiteral("quarlobby.ini"));
    QFile(beside).open(QIODevice::WriteOnly);
    QCOMPARE(SettingsLocation::choose(program.path(), config.path()), beside);

    // A read-only program folder is not used even with the file in it.
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(program.path()).isWritable()) {
        QFile::setPermissions(program.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSKIP("running with rights that ignore folder permissions");
    }
    QCOMPARE(SettingsLocation::choose(program.path(), config.path()), config_file);
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void SettingsLocationTest::overridesComeFirst() {
    qputenv(SettingsLocation::kEnvironmentVariable, "/tmp/from-env/quarlobby.ini");
    QCOMPARE(SettingsLocation::filePath(), QStringLiteral("/tmp/from-env/quarlobby.ini"));
    SettingsLocation::setOverride(QStringLiteral("/tmp/set/quarlobby.ini"));
    QCOMPARE(SettingsLocation::filePath(), QStringLiteral("/tmp/set/quarlobby.ini"));
    SettingsLocation::setOverride(QString());
    qunsetenv(SettingsLocation::kEnvironmentVariable);
    QVERIFY(SettingsLocation::filePath().endsWith(QStringLiteral("/quarlobby.ini")));
    QVERIFY(SettingsLocation::filePath() != QStringLiteral("/tmp/set/quarlobby.ini"));
}

QTEST_MAIN(SettingsLocationTest)
#include "settingslocation_test.moc"
