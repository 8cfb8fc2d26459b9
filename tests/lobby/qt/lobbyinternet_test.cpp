// SPDX-License-Identifier: GPL-3.0-or-later
// Two lobby windows on a real Prosody: one creates its account and the other signs in, they
// chat, one hosts and the other sees the table in time and joins it.
#include "chat/qt/chatview.h"
#include "lobby/companionlines.h"
#include "lobby/qt/lobbytablemodel.h"
#include "lobby/qt/lobbywindow.h"
#include "lobby/qt/xmpp/xmppsession.h"
#include "support/qt/fakegame.h"
#include "support/qt/prosodyfixture.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace lobby;

namespace {

// No keyring here: nothing kept, as on a desktop without one.
struct NoKeyring : PasswordStore {
    void read(const QString&, std::function<void(std::optional<QString>)> done) override {
        done(std::nullopt);
    }
    void write(const QString&, const QString&, std::function<void(bool)> done) override {
        done(false);
    }
};

struct Player {
    Player(const testsupport::ProsodyFixture& server, const char* name) {
        window = std::make_unique<LobbyWindow>(game.program(), std::make_unique<XmppSession>(),
                                               std::make_unique<NoKeyring>());
        window->setCompanionPort(game.port());
        window->setConnection(server.account({}, {}));
        window->show();
        edit("edit_server")->setText(server.domain());
        edit("edit_account")->setText(QString::fromLatin1(name));
        edit("edit_password")->setText(QStringLiteral("bramble-pass"));
        edit("edit_name")->setText(QString::fromLatin1(name));
    }
    QLineEdit* edit(const char* name) { return window->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    bool signedIn() { return window->findChild<QLabel*>("label_signedin")->isVisible(); }
    std::size_t chatLines() {
        return window->findChild<ui::ChatView*>("lobbychat")->model().lines().size();
    }
    QAbstractItemModel* tables() { return window->findChild<QTreeView*>("list_tables")->model(); }

    testsupport::FakeGame game;
    std::unique_ptr<LobbyWindow> window;
};

} // namespace

class LobbyInternetTest : public QObject {
    Q_OBJECT
private slots:
    void twoPlayersChatHostAndJoin() {
        QTemporaryDir config;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
        qputenv("BRAMBLIES_SETTINGS_FILE", config.filePath("quarlobby.ini").toUtf8());
        testsupport::ProsodyFixture server;
        QVERIFY2(server.ok(), qPrintable(server.error()));
        QVERIFY(server.registerAccount("bo", "bramble-pass"));

        Player ann(server, "ann");
        Player bo(server, "bo");
        QTest::mouseClick(ann.button("button_create"), Qt::LeftButton);
        QTest::mouseClick(bo.button("button_signin"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(ann.signedIn() && bo.signedIn(), 20000);

        QTest::keyClicks(ann.edit("edit_say"), "anyone for a game?");
        QTest::keyClick(ann.edit("edit_say"), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(bo.chatLines() == 1, 5000);

        // Ann hosts; her game reports a table the internet reaches.
        ann.edit("edit_address")->setText("127.0.0.1:7805");
        QTest::mouseClick(ann.button("button_start"), Qt::LeftButton);
        QTRY_VERIFY(!ann.game.arguments().isEmpty());
        LobbyTable table;
        table.host = "ann";
        table.address = "127.0.0.1";
        table.port = 7805;
        table.seated = 1;
        table.freeSeats = 5;
        table.version = "1.0.2";
        ann.game.say(tableLine(table) + reachLine({true, "127.0.0.1", ""}));
        QElapsedTimer shown;
        shown.start();
        QTRY_COMPARE_WITH_TIMEOUT(bo.tables()->rowCount(), 1, 2000);
        qInfo("table listed after %lld ms", shown.elapsed());
        QCOMPARE(bo.tables()->index(0, ui::LobbyTableModel::Where).data().toString(),
                 QString("Internet"));

        QTest::mouseClick(bo.button("button_join"), Qt::LeftButton);
        QTRY_COMPARE(bo.game.arguments(), (QStringList{"bo", "127.0.0.1", "x", "--port", "7805"}));
    }
};

QTEST_MAIN(LobbyInternetTest)
#include "lobbyinternet_test.moc"
