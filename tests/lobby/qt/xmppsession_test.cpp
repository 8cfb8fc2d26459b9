// SPDX-License-Identifier: GPL-3.0-or-later
// The XMPP session against a real Prosody: accounts, every refusal with its exact sentence,
// the room's chat, tables in presence, and a table that goes when its host's process dies.

#include "lobby/lobbytexts.h"
#include "lobby/qt/xmpp/xmppsession.h"
#include "support/qt/prosodyfixture.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <map>

using namespace lobby;
using testsupport::ProsodyFixture;

namespace {

struct Recorder : SessionListener {
    void signedIn(const std::string& nick) override { ownNick = nick; }
    void failed(const std::string& message) override { failures.push_back(message); }
    void accountCreated() override { ++created; }
    void occupantChanged(const Occupant& occupant) override { room[occupant.nick] = occupant; }
    void occupantLeft(const std::string& nick) override { room.erase(nick); }
    void chatLine(const std::string& nick, const std::string& text) override {
        chat.push_back(nick + ": " + text);
    }
    bool sawLine(const std::string& line) const {
        return std::find(chat.begin(), chat.end(), line) != chat.end();
    }
    // The table as the room delivered it (its attributes in any order), read back.
    std::optional<LobbyTable> tableOf(const std::string& nick) const {
        const auto it = room.find(nick);
        if (it == room.end() || !it->second.table) return std::nullopt;
        return readTable(*it->second.table);
    }

    std::string ownNick;
    std::vector<std::string> failures;
    int created = 0;
    std::map<std::string, Occupant> room;
    std::vector<std::string> chat;
};

struct Member {
    explicit Member(const Account& account) {
        // Pings every few tenths of a second: answered ones must keep the session.
        session.setPingTimes(std::chrono::milliseconds(300), std::chrono::milliseconds(1000));
        session.setListener(&events);
        session.signIn(account);
    }
    XmppSession session;
    Recorder events;
};

LobbyTable sampleTable(const std::string& host, int seated) {
    LobbyTable table;
    table.host = host;
    table.address = "203.0.113.7";
    table.port = 3131;
    table.seated = seated;
    table.freeSeats = 6 - seated;
    table.version = "1.0.2";
    table.reachable = true;
    return table;
}

// The child process of killedHostsTableGoes: signs in, publishes a table and waits to be
// killed.
int publishUntilKilled(const QStringList& args) {
    Account account;
    account.server = "localhost";
    account.connectHost = "127.0.0.1";
    account.connectPort = args.value(0).toInt();
    account.caFile = args.value(1).toStdString();
    account.name = args.value(2).toStdString();
    account.password = args.value(3).toStdString();
    XmppSession session;
    Recorder events;
    session.setListener(&events);
    session.signIn(account);
    session.publish(Activity::Hosting, sampleTable(account.name, 2));
    return QCoreApplication::exec();
}

} // namespace

class XmppSessionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(m_server.ok(), qPrintable(m_server.error()));
        for (const char* name : {"ann", "bob", "cat", "dan", "moderator"})
            QVERIFY(m_server.registerAccount(name, "secret"));
    }

    // Two registrations a minute from here: a taken name still counts as one.
    void createsAccountsWithinTheServersLimits() {
        ProsodyFixture limited({.tls = true, .registrationsPerMinute = 2});
        QVERIFY2(limited.ok(), qPrintable(limited.error()));
        QVERIFY(limited.registerAccount("taken", "secret"));
        XmppSession session;
        Recorder events;
        session.setListener(&events);

        session.createAccount(limited.account("taken", "other"));
        QTRY_COMPARE(events.failures, std::vector<std::string>{kNameTaken});

        session.createAccount(limited.account("newcomer", "fresh"));
        QTRY_COMPARE(events.ownNick, std::string("newcomer"));
        QCOMPARE(events.created, 1);
        QVERIFY(events.room.count("newcomer"));

        events.failures.clear();
        session.createAccount(limited.account("third", "fresh"));
        QTRY_COMPARE(events.failures, std::vector<std::string>{kRegistrationRefused});
        QCOMPARE(events.created, 1);
    }

    void refusesToSignInWithTheReason() {
        ProsodyFixture plain({.tls = false});
        QVERIFY2(plain.ok(), qPrintable(plain.error()));
        QVERIFY(plain.registerAccount("ann", "secret"));
        Account strangerCa = m_server.account("ann", "secret");
        strangerCa.caFile = m_server.strangerCaFile().toStdString();
        Account down = m_server.account("ann", "secret");
        down.connectPort = plain.port();
        const std::vector<std::pair<Account, const char*>> cases = {
            {m_server.account("ann", "wrong"), kWrongPassword},
            {m_server.account("nobody", "secret"), kWrongPassword},
            {strangerCa, kUntrustedCertificate},
            {plain.account("ann", "secret"), kNoTls},
            {down, kServerUnreachable},
        };
        for (std::size_t i = 0; i < cases.size(); ++i) {
            if (i + 1 == cases.size()) plain.stop();
            XmppSession session;
            Recorder events;
            session.setListener(&events);
            session.signIn(cases[i].first);
            QTRY_COMPARE(events.failures, std::vector<std::string>{cases[i].second});
            QVERIFY(events.ownNick.empty());
        }
    }

    void chatsAndSeesTablesInTheRoom() {
        Member ann(m_server.account("ann", "secret"));
        Member bob(m_server.account("bob", "secret"));
        QTRY_VERIFY(ann.events.room.count("bob") && bob.events.room.count("ann"));

        ann.session.say("hello bob");
        bob.session.say("hi ann");
        for (const Member* m : {&ann, &bob})
            QTRY_VERIFY(m->events.sawLine("ann: hello bob") && m->events.sawLine("bob: hi ann"));

        const LobbyTable first = sampleTable("ann", 1);
        ann.session.publish(Activity::Hosting, first);
        QTRY_COMPARE_WITH_TIMEOUT(bob.events.tableOf("ann"), first, 2000);
        QCOMPARE(bob.events.room["ann"].activity, Activity::Hosting);

        // A burst of changes: the last one arrives, within the once-a-second pace.
        ann.session.publish(Activity::Hosting, sampleTable("ann", 2));
        const LobbyTable last = sampleTable("ann", 3);
        ann.session.publish(Activity::Hosting, last);
        QTRY_COMPARE_WITH_TIMEOUT(bob.events.tableOf("ann"), last, 2500);

        ann.session.publish(Activity::Playing, std::nullopt);
        QTRY_COMPARE_WITH_TIMEOUT(bob.events.room["ann"].activity, Activity::Playing, 2500);
        QCOMPARE(bob.events.tableOf("ann"), std::nullopt);

        ann.session.signOut();
        QTRY_VERIFY(!bob.events.room.count("ann"));
        QVERIFY(ann.events.failures.empty() && bob.events.failures.empty());
    }

    void killedHostsTableGoes() {
        Member bob(m_server.account("bob", "secret"));
        QTRY_COMPARE(bob.events.ownNick, std::string("bob"));
        QProcess host;
        host.start(
            QCoreApplication::applicationFilePath(),
            {"--publish", QString::number(m_server.port()), m_server.caFile(), "cat", "secret"});
        QTRY_COMPARE_WITH_TIMEOUT(bob.events.tableOf("cat"), sampleTable("cat", 2), 10000);
        ::kill(static_cast<pid_t>(host.processId()), SIGKILL);
        QTRY_VERIFY_WITH_TIMEOUT(!bob.events.room.count("cat"), 25000);
        host.waitForFinished();
    }

    // A server that stops answering ends the session once a ping goes unanswered.
    void unansweredPingEndsTheSession() {
        ProsodyFixture frozen;
        QVERIFY2(frozen.ok(), qPrintable(frozen.error()));
        QVERIFY(frozen.registerAccount("ann", "secret"));
        XmppSession session;
        Recorder events;
        session.setListener(&events);
        session.setPingTimes(std::chrono::milliseconds(300), std::chrono::milliseconds(600));
        session.signIn(frozen.account("ann", "secret"));
        QTRY_COMPARE(events.ownNick, std::string("ann"));
        QVERIFY(frozen.freeze());
        QTRY_COMPARE(events.failures, std::vector<std::string>{kConnectionLost});
    }

    void moderatorKicksAndBans() {
        Member moderator(m_server.account("moderator", "secret"));
        QTRY_COMPARE(moderator.events.ownNick, std::string("moderator"));
        {
            Member dan(m_server.account("dan", "secret"));
            QTRY_VERIFY(dan.events.room.count("moderator"));
            QCOMPARE(dan.events.room["moderator"].role, Role::Moderator);
            QTRY_VERIFY(moderator.events.room.count("dan"));
            // Nobody else may: the server refuses and dan's own session carries on.
            dan.session.kick("moderator");
            moderator.session.kick("dan");
            QTRY_COMPARE(dan.events.failures, std::vector<std::string>{kKicked});
            QTRY_VERIFY(!moderator.events.room.count("dan"));
            QVERIFY(moderator.events.failures.empty());
        }
        Member dan(m_server.account("dan", "secret"));
        QTRY_VERIFY(moderator.events.room.count("dan"));
        moderator.session.ban("dan");
        QTRY_COMPARE(dan.events.failures, std::vector<std::string>{kBanned});
        Member again(m_server.account("dan", "secret"));
        QTRY_COMPARE(again.events.failures, std::vector<std::string>{kBanned});
        QVERIFY(again.events.ownNick.empty());
    }

private:
    ProsodyFixture m_server;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--publish")) return publishUntilKilled(args.mid(2));
    XmppSessionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "xmppsession_test.moc"
