// SPDX-License-Identifier: GPL-3.0-or-later
// The captions the desktop shows: the real program on a private X display of the test's own,
// its windows' names read back from the X server. A caption is exactly the window's own text;
// nothing is appended to it.

#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#ifndef BRAMBLIES_EXE
#error "BRAMBLIES_EXE must name the program under test"
#endif

namespace {

QStringList windowNames(const QString& display) {
    QProcess p;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    p.waitForFinished(10000);
    QStringList names;
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    for (const auto& m : quoted.globalMatch(QString::fromUtf8(p.readAllStandardOutput())))
        names << m.captured(1);
    return names;
}

// Ends a process the test started, however the test ends: asked first, so that an X server
// removes its lock file and socket.
struct Reaper {
    QProcess& process;
    ~Reaper() {
        process.terminate();
        if (process.waitForFinished(5000)) return;
        process.kill();
        process.waitForFinished(5000);
    }
};

} // namespace

class CaptionsTest : public QObject {
    Q_OBJECT
private slots:
    void soloWindowsHaveTheirOwnCaptions() {
        // The server picks a free display itself and names it once it is ready. -noreset: left
        // to itself it starts over whenever its last client leaves, and a look at the window
        // list before the program has connected would turn the program away.
        QProcess x;
        x.start(QStringLiteral("Xvfb"),
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                 QStringLiteral("0"), QStringLiteral("1280x900x24"), QStringLiteral("-nolisten"),
                 QStringLiteral("tcp"), QStringLiteral("-noreset")});
        QVERIFY2(x.waitForStarted(), "Xvfb is missing");
        Reaper xReaper{x};
        QTRY_VERIFY_WITH_TIMEOUT(x.canReadLine(), 10000);
        bool numbered = false;
        const int number = x.readLine().trimmed().toInt(&numbered);
        QVERIFY(numbered);
        const QString display = QStringLiteral(":%1").arg(number);

        // A solo game on a private port, with its own settings and instance folder.
        QTemporaryDir dir;
        QProcess program;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("TMPDIR"), dir.path());
        env.insert(QStringLiteral("BRAMBLIES_SETTINGS_FILE"), dir.filePath("quarlobby.ini"));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const QString port = QString::number(probe.serverPort());
        probe.close();
        program.start(QStringLiteral(BRAMBLIES_EXE), {QStringLiteral("--port"), port});
        QVERIFY(program.waitForStarted());
        Reaper programReaper{program};

        QStringList names;
        QTRY_VERIFY2_WITH_TIMEOUT(program.state() != QProcess::Running ||
                                      (names = windowNames(display))
                                          .contains(QStringLiteral("Download The Quar77 Lobby")),
                                  qPrintable(names.join(" | ")), 20000);
        QVERIFY2(program.state() == QProcess::Running, program.readAll().constData());
        QVERIFY2(names.contains(QStringLiteral("Bramblies")), qPrintable(names.join(" | ")));
        for (const QString& name : names)
            QVERIFY2(!name.contains(QStringLiteral(" \u2014 ")), qPrintable(name));
    }
};

QTEST_MAIN(CaptionsTest)
#include "captions_test.moc"
