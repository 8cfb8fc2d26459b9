// SPDX-License-Identifier: GPL-3.0-or-later
// Port mapping against scripted routers on loopback: the real libminiupnpc and libnatpmp
// clients talk to them.
#include "net/qt/portmapper.h"

#include "support/qt/scriptedigd.h"
#include "support/qt/scriptednatpmp.h"

#include <QSignalSpy>
#include <QtTest>

#include <sched.h>

using testsupport::ScriptedIgd;
using testsupport::ScriptedNatpmp;
using ui::PortMapper;
using ui::PortMappingConfig;

namespace {

constexpr int kWaitMs = 15000;
const QString kBehind =
    QStringLiteral("Players outside your network cannot reach this table: your router is behind "
                   "another network (carrier-grade NAT).");

// The sentence for an outcome that leaves reaching port 7772 an open question.
QString unknown(const char* why) {
    return QStringLiteral("Nobody could tell whether players outside your network can reach "
                          "this table on port 7772: %1.")
        .arg(QLatin1String(why));
}

PortMappingConfig upnpOnly(const ScriptedIgd& igd, int lease = 3600) {
    PortMappingConfig c;
    c.igdUrl = igd.descriptionUrl().toStdString();
    c.useNatpmp = false;
    c.leaseSeconds = lease;
    return c;
}

PortMappingConfig natpmpOnly(const char* gateway, int lease = 3600) {
    PortMappingConfig c;
    c.useUpnp = false;
    c.natpmpGateway = gateway;
    c.natpmpTimeoutMs = 400;
    c.leaseSeconds = lease;
    return c;
}

QString reportOf(PortMapper& mapper, quint16 port) {
    QSignalSpy spy(&mapper, &PortMapper::reported);
    mapper.start(port);
    if (!spy.wait(kWaitMs)) return QStringLiteral("(no report)");
    return spy.takeFirst().at(0).toString();
}

} // namespace

class PortMapperTest : public QObject {
    Q_OBJECT
    bool m_ownNetwork = false;

private slots:
    // Where it can (as root), the test moves into a network namespace of its own, with only
    // a loopback that carries multicast: discovery then reaches nothing but the test's router.
    void initTestCase() {
        if (::unshare(CLONE_NEWNET) != 0) return;
        m_ownNetwork = QProcess::execute(QStringLiteral("ip"),
                                         {"link", "set", "lo", "up", "multicast", "on"}) == 0;
        QVERIFY2(m_ownNetwork, "could not bring up the namespace's loopback");
        // Discovery's multicast goes out through the loopback too.
        QCOMPARE(
            QProcess::execute(QStringLiteral("ip"), {"route", "add", "224.0.0.0/4", "dev", "lo"}),
            0);
    }

    void upnp_data() {
        QTest::addColumn<QList<int>>("errors");
        QTest::addColumn<QString>("external");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("mapped")
            << QList<int>{} << "203.0.113.7"
            << "Players outside your network can reach this table at 203.0.113.7:7772."
            << QStringList{"AddPortMapping 7772 3600", "GetExternalIPAddress",
                           "DeletePortMapping 7772"};
        QTest::newRow("conflict")
            << QList<int>{718} << "203.0.113.7"
            << unknown("the router refused to forward it (ConflictInMappingEntry (718))")
            << QStringList{"AddPortMapping 7772 3600"};
        QTest::newRow("permanent leases only")
            << QList<int>{725} << "203.0.113.7"
            << "Players outside your network can reach this table at 203.0.113.7:7772."
            << QStringList{"AddPortMapping 7772 3600", "AddPortMapping 7772 0",
                           "GetExternalIPAddress", "DeletePortMapping 7772"};
        QTest::newRow("no lease at all")
            << QList<int>{725, 725} << "203.0.113.7"
            << unknown("the router refused to forward it (OnlyPermanentLeasesSupported (725))")
            << QStringList{"AddPortMapping 7772 3600", "AddPortMapping 7772 0"};
        QTest::newRow("shared address range")
            << QList<int>{} << "100.72.1.2" << kBehind
            << QStringList{"AddPortMapping 7772 3600", "GetExternalIPAddress",
                           "DeletePortMapping 7772"};
    }
    void upnp() {
        QFETCH(QList<int>, errors);
        QFETCH(QString, external);
        ScriptedIgd igd;
        igd.addErrors.assign(errors.begin(), errors.end());
        igd.externalAddress = external;
        {
            PortMapper mapper(upnpOnly(igd));
            QTEST(reportOf(mapper, 7772), "report");
        } // destroyed as on exit: the mapping goes
        QStringList asked = igd.actions();
        asked.removeAll(QStringLiteral("GetStatusInfo"));
        asked.removeAll(QStringLiteral("GET description"));
        QTEST(asked, "asked");
    }

    void upnpRenewsBeforeTheLeaseEnds() {
        ScriptedIgd igd;
        PortMapper mapper(upnpOnly(igd, 1));
        QSignalSpy renewed(&mapper, &PortMapper::renewed);
        QCOMPARE(reportOf(mapper, 7000),
                 QStringLiteral(
                     "Players outside your network can reach this table at 203.0.113.7:7000."));
        QVERIFY(renewed.wait(kWaitMs));
        QVERIFY(igd.actions().count(QStringLiteral("AddPortMapping 7000 1")) >= 2);
        mapper.stop();
        QCOMPARE(igd.actions().last(), QStringLiteral("DeletePortMapping 7000"));
    }

    void natpmp_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("publicAddress");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("mapped")
            << 0 << "198.51.100.4"
            << "Players outside your network can reach this table at 198.51.100.4:7772."
            << QStringList{"address", "map 7772 3600", "map 7772 0"};
        QTest::newRow("carrier nat") << 0 << "100.64.0.9" << kBehind
                                     << QStringList{"address", "map 7772 3600", "map 7772 0"};
        QTest::newRow("not authorised")
            << 2 << "198.51.100.4" << unknown("the router refused to forward it (not authorised)")
            << QStringList{"address"};
        QTest::newRow("unsupported version")
            << 1 << "198.51.100.4"
            << unknown("the router refused to forward it (unsupported version)")
            << QStringList{"address"};
        QTest::newRow("broadcast address")
            << 0 << "255.255.255.255"
            << "Players outside your network cannot reach this table: your router reported an "
               "address nobody can use."
            << QStringList{"address", "map 7772 3600", "map 7772 0"};
        QTest::newRow("out of resources")
            << 4 << "198.51.100.4" << unknown("the router refused to forward it (out of resources)")
            << QStringList{"address"};
    }
    void natpmp() {
        QFETCH(int, result);
        QFETCH(QString, publicAddress);
        ScriptedNatpmp gateway(QHostAddress(QStringLiteral("127.0.0.51")));
        QVERIFY(gateway.isListening());
        gateway.resultCode = static_cast<quint16>(result);
        gateway.publicAddress = publicAddress;
        {
            PortMapper mapper(natpmpOnly("127.0.0.51"));
            QTEST(reportOf(mapper, 7772), "report");
        }
        QTEST(gateway.requests(), "asked");
    }

    // An answer whose header is not NAT-PMP's is no refusal from a router.
    void natpmpGarbledAnswer() {
        ScriptedNatpmp gateway(QHostAddress(QStringLiteral("127.0.0.55")));
        QVERIFY(gateway.isListening());
        gateway.version = 7;
        PortMapper mapper(natpmpOnly("127.0.0.55"));
        QCOMPARE(reportOf(mapper, 7772), unknown("the router's answer made no sense"));
    }

    void natpmpRenews() {
        ScriptedNatpmp gateway(QHostAddress(QStringLiteral("127.0.0.52")));
        gateway.grantedLifetime = 1;
        PortMapper mapper(natpmpOnly("127.0.0.52"));
        QSignalSpy renewed(&mapper, &PortMapper::renewed);
        QCOMPARE(reportOf(mapper, 7772),
                 QStringLiteral(
                     "Players outside your network can reach this table at 198.51.100.4:7772."));
        QVERIFY(renewed.wait(kWaitMs));
        mapper.stop();
        QCOMPARE(gateway.requests().last(), QStringLiteral("map 7772 0"));
    }

    // A lifetime of 8589935 s is 4294967500 ms, 204 ms once wrapped to 32 bits: the mapping
    // is kept for half a day, not asked for again and again.
    void natpmpHugeLifetimeIsNotRenewedAtOnce() {
        ScriptedNatpmp gateway(QHostAddress(QStringLiteral("127.0.0.54")));
        gateway.grantedLifetime = 8'589'935;
        PortMapper mapper(natpmpOnly("127.0.0.54"));
        QSignalSpy renewed(&mapper, &PortMapper::renewed);
        QCOMPARE(reportOf(mapper, 7772),
                 QStringLiteral(
                     "Players outside your network can reach this table at 198.51.100.4:7772."));
        QVERIFY(!renewed.wait(700));
    }

    void upnpDiscovery() {
        if (!m_ownNetwork) QSKIP("no network namespace of our own (needs root): no SSDP here");
        ScriptedIgd igd;
        QVERIFY(igd.answerDiscovery(QHostAddress::LocalHost));
        PortMappingConfig c;
        c.useNatpmp = false;
        c.discoveryMs = 1000;
        c.multicastIf = "127.0.0.1";
        {
            PortMapper mapper(c);
            QCOMPARE(reportOf(mapper, 7772),
                     QStringLiteral(
                         "Players outside your network can reach this table at 203.0.113.7:7772."));
        }
        const QStringList asked = igd.actions();
        QVERIFY(asked.first().startsWith(QStringLiteral("M-SEARCH ")));
        QCOMPARE(asked.last(), QStringLiteral("DeletePortMapping 7772"));
    }

    // Nothing answers discovery and the NAT-PMP gateway keeps quiet: the limits end the wait.
    void noRouterAnswers() {
        ScriptedNatpmp gateway(QHostAddress(QStringLiteral("127.0.0.53")));
        gateway.silent = true;
        PortMappingConfig c = natpmpOnly("127.0.0.53");
        c.useUpnp = true;
        c.discoveryMs = 200;
        c.multicastIf = "127.0.0.1";
        PortMapper mapper(c);
        QCOMPARE(reportOf(mapper, 7772), unknown("no router answered"));
        QVERIFY(!gateway.requests().isEmpty());
        mapper.stop();
        QVERIFY(!gateway.requests().contains(QStringLiteral("map 7772 0")));
    }
};

QTEST_GUILESS_MAIN(PortMapperTest)
#include "portmapper_test.moc"
