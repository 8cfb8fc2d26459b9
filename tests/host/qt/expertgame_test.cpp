// SPDX-License-Identifier: GPL-3.0-or-later
// A dedicated host started with "--computer expert" plays a whole game for two computer seats
// (the only player switches to just watching after starting it), and a referee checks every
// message the player receives against the rules.

#include "support/qt/rawclient.h"
#include "support/qt/referee.h"

#include <QProcess>
#include <QTcpServer>
#include <QtTest>

#include <memory>
#include <string>

#ifndef BRAMBLIES_EXE
#error "BRAMBLIES_EXE must name the program under test"
#endif

using testsupport::RawClient;
using testsupport::Referee;

namespace {

constexpr int kWaitMs = 20000; // generous: the machine may be busy

quint16 freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::AnyIPv4, 0)) return 0;
    return probe.serverPort();
}

} // namespace

class ExpertGameTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QProcess> m_host;
    QByteArray m_out;
    quint16 m_port = 0;

    bool startHost() {
        for (int attempt = 0; attempt < 3; ++attempt) {
            m_port = freePort();
            m_out.clear();
            m_host = std::make_unique<QProcess>();
            auto env = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                env.remove(QString::fromLatin1(name));
            m_host->setProcessEnvironment(env);
            connect(m_host.get(), &QProcess::readyReadStandardOutput, this,
                    [this] { m_out += m_host->readAllStandardOutput(); });
            m_host->start(QStringLiteral(BRAMBLIES_EXE),
                          {QStringLiteral("--dedicated-host"), QStringLiteral("--port"),
                           QString::number(m_port), QStringLiteral("--time-scale"),
                           QStringLiteral("500"), QStringLiteral("--bot-speed"),
                           QStringLiteral("100"), QStringLiteral("--computer"),
                           QStringLiteral("expert")});
            if (!m_host->waitForStarted(kWaitMs)) return false;
            if (QTest::qWaitFor(
                    [this] {
                        return m_out.contains('\n') || m_host->state() == QProcess::NotRunning;
                    },
                    kWaitMs) &&
                m_out.contains('\n'))
                return true;
            m_host->kill();
            m_host->waitForFinished(kWaitMs);
        }
        return false;
    }

private slots:
    void cleanup() {
        if (m_host && m_host->state() != QProcess::NotRunning) {
            m_host->kill();
            m_host->waitForFinished(kWaitMs);
        }
        m_host.reset();
    }

    void expertSeatsPlayARefereedGame() {
        QVERIFY2(startHost(), "the dedicated host did not start listening");
        RawClient alice(m_port);
        QCOMPARE(alice.next(kWaitMs).value_or("(none)"), std::string("CMD_sendlogininfo+1"));
        alice.send("CMD_logininfo+1+1.0.2+Alice");
        QCOMPARE(alice.next(kWaitMs).value_or("(none)"),
                 std::string("CMD_newplayerinfo+1+Alice+0"));
        alice.send("CMD_startgame+Alice+1+");
        alice.send("CMD_justwatch+1+1"); // the computer plays her seat from her first turn

        Referee referee({1, 2});
        int messages = 0;
        while (!referee.gameOver()) {
            auto message = alice.next(kWaitMs);
            QVERIFY2(message, "the game stopped");
            ++messages;
            const std::string wrong = referee.check(*message);
            QVERIFY2(wrong.empty(), wrong.c_str());
        }
        QVERIFY(messages > 14 * 3);
        // The classic player names a category after every first roll; the expert keeps dice
        // without one while several faces are open.
        QVERIFY(referee.rollsWithoutCategory() > 0);
    }
};

QTEST_MAIN(ExpertGameTest)
#include "expertgame_test.moc"
