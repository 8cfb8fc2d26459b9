// SPDX-License-Identifier: GPL-3.0-or-later
// The dedicated host in the internet lobby, against a fake session (hostlobby_test has the
// real one): it publishes only once in the room, follows players no more than once an
// interval, and after a failure signs in again and publishes the table anew.

#include "app/qt/hostlisting.h"
#include "host/qt/hostserver.h"
#include "host/qt/tablereach.h"
#include "support/qt/rawclient.h"

#include <QtTest>

#include <memory>

namespace {

class FakeSession : public lobby::LobbySession {
public:
    lobby::SessionListener* listener = nullptr;
    std::vector<lobby::Account> signIns;
    std::vector<lobby::LobbyTable> published;
    bool* signedOut = nullptr; // outlives the session

    void setListener(lobby::SessionListener* l) override { listener = l; }
    void signIn(const lobby::Account& account) override { signIns.push_back(account); }
    void createAccount(const lobby::Account&) override {}
    void signOut() override { *signedOut = true; }
    void say(const std::string&) override {}
    void publish(lobby::Activity activity, const std::optional<lobby::LobbyTable>& t) override {
        QVERIFY(activity == lobby::Activity::Hosting && t);
        published.push_back(*t);
    }
    void kick(const std::string&) override {}
    void ban(const std::string&) override {}
};

std::unique_ptr<testsupport::RawClient> login(quint16 port, int slot, const char* name) {
    auto client = std::make_unique<testsupport::RawClient>(port);
    client->next();
    client->send("CMD_logininfo+" + std::to_string(slot) + "+1.0.2+" + name);
    client->next();
    return client;
}

} // namespace

class HostListingTest : public QObject {
    Q_OBJECT
private slots:
    void followsTheTableAndSignsInAgain() {
        ui::HostServer server;
        QVERIFY(server.listen(0));
        ui::TableReach reach(server, {});
        QStringList log;
        app::LobbyOptions options;
        options.jid = "host@play.example.org";
        options.password = "pw";
        options.room = "tables";
        options.address = "game.example.org";
        auto owned = std::make_unique<FakeSession>();
        FakeSession& session = *owned;
        bool signedOut = false;
        session.signedOut = &signedOut;
        auto make = [&owned]() -> std::unique_ptr<lobby::LobbySession> { return std::move(owned); };
        auto addOn = ui::lobbyListing(options, make)(
            {server, reach, nullptr, [&log](const std::string& l) { log << l.c_str(); }});
        auto* listing = qobject_cast<ui::HostListing*>(addOn.get());
        QVERIFY(listing);
        listing->publisher().setFirstRetry(20);

        QCOMPARE(session.signIns.size(), std::size_t(1));
        QCOMPARE(session.signIns[0].room, std::string("tables@conference.play.example.org"));
        QVERIFY(session.published.empty()); // not before it is in the room
        session.listener->signedIn("host");
        QCOMPARE(session.published.size(), std::size_t(1));

        // Players coming and going: the table follows (the session paces what goes out).
        auto ann = login(server.serverPort(), 1, "Ann");
        auto bob = login(server.serverPort(), 2, "Bob");
        QTRY_COMPARE(session.published.back().seated, 2);
        bob.reset();
        QTRY_COMPARE(session.published.back().seated, 1);

        // Dropped: in again after the pause, and the table published again.
        session.listener->failed("The connection to the lobby server was lost.");
        QTRY_COMPARE(session.signIns.size(), std::size_t(2));
        const std::size_t before = session.published.size();
        session.listener->signedIn("host");
        QTRY_COMPARE(session.published.size(), before + 1);
        QCOMPARE(session.published.back().seated, 1);
        QVERIFY(log.filter("lost").size() == 1);

        addOn.reset();
        QVERIFY(signedOut);
    }
};

QTEST_GUILESS_MAIN(HostListingTest)
#include "hostlisting_test.moc"
