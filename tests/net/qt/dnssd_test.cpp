// SPDX-License-Identifier: GPL-3.0-or-later
// A table announced through a private Avahi daemon is found by the browser with its fields,
// follows their changes and disappears when its announcer goes.
#include "net/qt/tableannouncer.h"
#include "net/qt/tablebrowser.h"

#include "support/qt/avahisandbox.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace ui;

namespace {
constexpr int kWaitMs = 20000;
const QString kName = QStringLiteral("Bramblies test table");
} // namespace

class DnssdTest : public QObject {
    Q_OBJECT
    testsupport::AvahiSandbox m_sandbox;

    // The latest report of our table, waiting until one satisfies the check.
    static bool waitFor(QSignalSpy& found, const std::function<bool(const FoundTable&)>& check,
                        FoundTable* out) {
        QDeadlineTimer deadline(kWaitMs);
        while (!deadline.hasExpired()) {
            while (!found.isEmpty()) {
                auto t = found.takeFirst().at(0).value<FoundTable>();
                if (t.name == kName && check(t)) {
                    *out = t;
                    return true;
                }
            }
            found.wait(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        }
        return false;
    }

private slots:
    void initTestCase() {
        QString whyNot;
        if (!m_sandbox.start(&whyNot)) QSKIP(qPrintable(whyNot));
    }

    void announcedFollowedAndGone() {
        TableBrowser browser;
        QSignalSpy found(&browser, &TableBrowser::tableFound);
        QSignalSpy gone(&browser, &TableBrowser::tableGone);
        auto announcer = std::make_unique<TableAnnouncer>(kName, 7772);
        announcer->setTable({"Ann", 1, 0, 5, false, "1.0.2"});

        FoundTable t;
        QVERIFY(waitFor(
            found, [](const FoundTable&) { return true; }, &t));
        QCOMPARE(t.port, quint16(7772));
        QCOMPARE(t.address, testsupport::AvahiSandbox::address());
        QCOMPARE(t.table, (core::TableAnnouncement{"Ann", 1, 0, 5, false, "1.0.2"}));

        announcer->setTable({"Ann", 2, 1, 4, true, "1.0.2"});
        QVERIFY(waitFor(
            found, [](const FoundTable& f) { return f.table.running; }, &t));
        QCOMPARE(t.table, (core::TableAnnouncement{"Ann", 2, 1, 4, true, "1.0.2"}));

        announcer.reset();
        QTRY_VERIFY_WITH_TIMEOUT(
            std::any_of(gone.begin(), gone.end(),
                        [](const QList<QVariant>& args) { return args.at(0).toString() == kName; }),
            kWaitMs);
    }
};

QTEST_GUILESS_MAIN(DnssdTest)
#include "dnssd_test.moc"
