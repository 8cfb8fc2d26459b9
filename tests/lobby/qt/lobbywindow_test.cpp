// SPDX-License-Identifier: GPL-3.0-or-later
// The lobby window against a fake session and a fake game program that records how it was
// started and writes companion lines like a hosting copy.
#include "chat/qt/chatview.h"
#include "lobby/companionlines.h"
#include "lobby/gameaddress.h"
#include "lobby/gamelaunch.h"
#include "lobby/publishthrottle.h"
#include "lobby/qt/lobbytablemodel.h"
#include "lobby/qt/lobbywindow.h"
#include "support/qt/fakegame.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

using namespace lobby;

namespace {

struct FakeSession : LobbySession {
    SessionListener* listener = nullptr;
    std::vector<Account> signIns;
    bool created = false;
    std::vector<std::string> said, kicked, banned;
    std::vector<Presence> published;

    void setListener(SessionListener* l) override { listener = l; }
    void signIn(const Account& a) override { signIns.push_back(a); }
    void createAccount(const Account& a) override {
        created = true;
        signIns.push_back(a);
    }
    void signOut() override {}
    void say(const std::string& text) override { said.push_back(text); }
    void publish(Activity activity, const std::optional<LobbyTable>& table) override {
        published.push_back({activity, table});
    }
    void kick(const std::string& nick) override { kicked.push_back(nick); }
    void ban(const std::string& nick) override { banned.push_back(nick); }
};

struct FakePasswords : PasswordStore {
    bool keyring = true;
    std::map<QString, QString> kept;
    void read(const QString& key, std::function<void(std::optional<QString>)> done) override {
        auto it = kept.find(key);
        done(it == kept.end() ? std::nullopt : std::optional<QString>(it->second));
    }
    void write(const QString& key, const QString& password,
               std::function<void(bool)> done) override {
        if (keyring) kept[key] = password;
        done(keyring);
    }
};

LobbyTable table(int free, bool running, const std::string& version = "1.0.2") {
    LobbyTable t;
    t.address = "198.51.100.7";
    t.port = 7800;
    t.seated = 6 - free;
    t.freeSeats = free;
    t.running = running;
    t.round = running ? 3 : 0;
    t.version = version;
    t.reachable = true;
    return t;
}

Occupant occupant(const char* nick, Activity activity, std::optional<LobbyTable> t = {},
                  Role role = Role::Participant) {
    Occupant o{nick, role, activity, std::nullopt};
    if (t) o.table = tableAttributes(*t);
    return o;
}

QStringList column(const QAbstractItemModel* m, int c) {
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, c).data().toString();
    return out;
}

} // namespace

class LobbyWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void signInPeopleChatAndModeration();
    void tablesOfBothKindsInOneFilteredList();
    void hostingPublishesWhatTheGameReports();
    void showFilledWindow();

private:
    template <class T> T* find(const char* name) {
        T* w = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!w) qFatal("no %s", name);
        return w;
    }
    void signInAs(const char* nick);

    QTemporaryDir m_dir;
    FakeSession* m_session = nullptr;
    FakePasswords* m_passwords = nullptr;
    std::unique_ptr<testsupport::FakeGame> m_game;
    std::unique_ptr<LobbyWindow> m_window;
};

void LobbyWindowTest::initTestCase() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.filePath("config"));
    qputenv("BRAMBLIES_SETTINGS_FILE", m_dir.filePath("quarlobby.ini").toUtf8());
}

void LobbyWindowTest::init() {
    m_game = std::make_unique<testsupport::FakeGame>();
    auto session = std::make_unique<FakeSession>();
    auto passwords = std::make_unique<FakePasswords>();
    m_session = session.get();
    m_passwords = passwords.get();
    m_window =
        std::make_unique<LobbyWindow>(m_game->program(), std::move(session), std::move(passwords));
    m_window->setCompanionPort(m_game->port());
    m_window->show();
}

void LobbyWindowTest::cleanup() {
    m_window.reset();
    m_game.reset();
    QSettings(QSettings::IniFormat, QSettings::UserScope, "bramblies", "bramblies-lobby").clear();
}

void LobbyWindowTest::signInAs(const char* nick) {
    find<QLineEdit>("edit_server")->setText("play.example.org");
    find<QLineEdit>("edit_account")->setText(nick);
    find<QLineEdit>("edit_password")->setText("secret");
    QTest::mouseClick(find<QPushButton>("button_signin"), Qt::LeftButton);
    m_session->listener->signedIn(nick);
}

void LobbyWindowTest::signInPeopleChatAndModeration() {
    // The session's sentence is shown as it is; the password stays out of the settings.
    find<QLineEdit>("edit_server")->setText("play.example.org");
    find<QLineEdit>("edit_account")->setText("Ann");
    find<QLineEdit>("edit_password")->setText("secret");
    QTest::mouseClick(find<QPushButton>("button_create"), Qt::LeftButton);
    QVERIFY(m_session->created);
    QCOMPARE(m_session->signIns.back().password, std::string("secret"));
    m_session->listener->failed("That account name is taken.");
    QCOMPARE(find<QLabel>("label_signin_status")->text(), QString("That account name is taken."));
    QVERIFY(find<QPushButton>("button_signin")->isEnabled());

    signInAs("Ann");
    QCOMPARE(m_passwords->kept[QStringLiteral("Ann@play.example.org")], QString("secret"));
    QSettings saved(QSettings::IniFormat, QSettings::UserScope, "bramblies", "bramblies-lobby");
    QCOMPARE(saved.value("internet/account").toString(), QString("Ann"));
    saved.sync();
    QFile file(saved.fileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("secret"));

    SessionListener* room = m_session->listener;
    room->occupantChanged(occupant("Ann", Activity::InLobby, {}, Role::Moderator));
    room->occupantChanged(occupant("Bo", Activity::Hosting, table(3, false)));
    room->occupantChanged(occupant("Cy", Activity::Playing));
    auto* people = find<QTreeWidget>("list_people");
    QTRY_COMPARE(people->topLevelItemCount(), 3);
    QCOMPARE(people->topLevelItem(0)->text(2), QString("moderator"));
    QCOMPARE(people->topLevelItem(1)->text(1), QString("hosting"));
    QCOMPARE(people->topLevelItem(2)->text(1), QString("playing"));

    // Chat: typed lines go to the room; an ignored person's lines are not shown, and the
    // ignore list outlives the window.
    QTest::keyClicks(find<QLineEdit>("edit_say"), "hi all");
    QTest::keyClick(find<QLineEdit>("edit_say"), Qt::Key_Return);
    QCOMPARE(m_session->said, std::vector<std::string>{"hi all"});
    auto* chat = find<ui::ChatView>("lobbychat");
    room->chatLine("Cy", "first");
    QCOMPARE(chat->model().lines().size(), std::size_t(1));
    people->setFocus();
    people->setCurrentItem(people->topLevelItem(2));
    QTest::keyClick(people, Qt::Key_I, Qt::ControlModifier);
    room->chatLine("Cy", "hidden");
    QCOMPARE(chat->model().lines().size(), std::size_t(1));
    QCOMPARE(saved.value("internet/ignored").toStringList(), QStringList{"Cy"});
    QTRY_COMPARE(people->topLevelItem(2)->text(2), QString("ignored"));

    // As a moderator, kick and ban from the keyboard; never ourselves.
    people->setCurrentItem(people->topLevelItem(1));
    QTest::keyClick(people, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(people, Qt::Key_B, Qt::ControlModifier);
    people->setCurrentItem(people->topLevelItem(0));
    QTest::keyClick(people, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(m_session->kicked, std::vector<std::string>{"Bo"});
    QCOMPARE(m_session->banned, std::vector<std::string>{"Bo"});

    // Leaving takes a person's table with them; a failure signs us out of the room.
    room->occupantLeft("Bo");
    QTRY_COMPARE(people->topLevelItemCount(), 2);
    room->failed("The connection to the lobby was lost.");
    QTRY_COMPARE(people->topLevelItemCount(), 0);
    QVERIFY(!find<QLineEdit>("edit_say")->isEnabled());
}

void LobbyWindowTest::tablesOfBothKindsInOneFilteredList() {
    auto* view = find<QTreeView>("list_tables");
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(view->model());
    auto* tables = qobject_cast<ui::LobbyTableModel*>(proxy->sourceModel());
    tables->found({"Dee's table", "local", 2, "10.0.0.9", 7772, {"Dee", 2, 0, 4, false, "1.0.2"}});
    m_passwords->keyring = false; // nothing kept, and the user is told
    signInAs("Ann");
    QCOMPARE(find<QLabel>("label_signin_status")->text(), QString(LobbyWindow::kNoKeyring));
    m_session->listener->occupantChanged(occupant("Bo", Activity::Hosting, table(2, true)));
    m_session->listener->occupantChanged(
        occupant("Eve", Activity::Hosting, table(1, false, "0.9")));
    QTRY_COMPARE(proxy->rowCount(), 3);
    QCOMPARE(column(proxy, ui::LobbyTableModel::Where),
             (QStringList{"This network", "Internet", "Internet"}));
    QCOMPARE(column(proxy, ui::LobbyTableModel::Host), (QStringList{"Dee", "Bo", "Eve"}));

    find<QCheckBox>("check_notstarted")->setChecked(true);
    QCOMPARE(column(proxy, ui::LobbyTableModel::Host), (QStringList{"Dee", "Eve"}));
    find<QCheckBox>("check_version")->setChecked(true);
    QCOMPARE(column(proxy, ui::LobbyTableModel::Host), (QStringList{"Dee"}));
    find<QCheckBox>("check_notstarted")->setChecked(false);
    find<QCheckBox>("check_version")->setChecked(false);
    find<QCheckBox>("check_free")->setChecked(true);
    QCOMPARE(proxy->rowCount(), 3);

    // Joining an internet table starts the game at its address and port; we are then playing.
    find<QLineEdit>("edit_name")->setText("Ann");
    view->setCurrentIndex(proxy->index(1, 0));
    QTest::mouseClick(find<QPushButton>("button_join"), Qt::LeftButton);
    QTRY_COMPARE(m_game->arguments(), (QStringList{"Ann", "198.51.100.7", "x", "--port", "7800"}));
    QCOMPARE(m_session->published.back(), (Presence{Activity::Playing, std::nullopt}));
    QVERIFY(!find<QPushButton>("button_join")->isEnabled());
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(find<QLabel>("label_status")->text(), QString(kAlreadyRunning));
}

void LobbyWindowTest::hostingPublishesWhatTheGameReports() {
    signInAs("Ann");
    find<QLineEdit>("edit_name")->setText("Ann");
    find<QLineEdit>("edit_address")->setText("[::1]:78000");
    QTest::mouseClick(find<QPushButton>("button_start"), Qt::LeftButton);
    QCOMPARE(find<QLabel>("label_status")->text(), QString(kBadAddress));
    find<QLineEdit>("edit_address")->setText("[::1]:7801");
    QTest::mouseClick(find<QPushButton>("button_start"), Qt::LeftButton);
    QTRY_COMPARE(m_game->arguments(), (QStringList{"Ann", "::1", "true", "--port", "7801"}));
    QCOMPARE(m_session->published.back(), (Presence{Activity::Hosting, std::nullopt}));

    // Listed once the game says the internet reaches it: where, and at the port it hosts on.
    m_game->say(tableLine(table(5, false)) + reachLine({true, "203.0.113.9", ""}));
    QTRY_VERIFY(m_session->published.back().table.has_value());
    const LobbyTable listed = *m_session->published.back().table;
    QCOMPARE(listed.address, std::string("203.0.113.9"));
    QCOMPARE(listed.port, 7801);
    QCOMPARE(listed.host, std::string("Ann"));
    QCOMPARE(listed.freeSeats, 5);
    QVERIFY(find<QLabel>("label_notice")->isHidden());

    // Not reachable: taken off the list, and the host is told why.
    m_game->say(reachLine({false, "", kNotForwarded}));
    QTRY_VERIFY(!find<QLabel>("label_notice")->isHidden());
    QCOMPARE(find<QLabel>("label_notice")->text(), QString(kNotForwarded));
    QTRY_COMPARE(m_session->published.back(), (Presence{Activity::Hosting, std::nullopt}));
    const std::size_t sent = m_session->published.size();

    // A stream that goes bad is closed; the game's end puts us back in the lobby.
    m_game->say(std::string(kMaxCompanionLine + 10, 'x') + "\n");
    m_game->stop();
    QTRY_COMPARE(m_session->published.back(), Presence{});
    QCOMPARE(m_session->published.size(), sent + 1);
}

// Not a check: with BRAMBLIES_LOBBY_SHOW=<chat text size> the window stays up, filled, for
// a screenshot (/work/shared/tools/screenshot).
void LobbyWindowTest::showFilledWindow() {
    const QByteArray size = qgetenv("BRAMBLIES_LOBBY_SHOW");
    if (size.isEmpty()) QSKIP("only for screenshots");
    QFile ini(m_dir.filePath("quarlobby.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[bramblies]\nTextsize=" + size + "\n");
    ini.close();
    init();
    signInAs("Ann");
    SessionListener* room = m_session->listener;
    room->occupantChanged(occupant("Ann", Activity::InLobby, {}, Role::Moderator));
    room->occupantChanged(occupant("Bo", Activity::Hosting, table(3, false)));
    room->occupantChanged(occupant("Cy", Activity::Playing));
    room->occupantChanged(occupant("Dee", Activity::Hosting, table(0, true)));
    room->occupantChanged(occupant("Eve", Activity::InLobby));
    room->chatLine("Bo", "Table's open, come roll some dice :)");
    room->chatLine("Cy", "Rules are at http://www.example.org/rules");
    room->chatLine("Ann", "On my way!");
    find<QLineEdit>("edit_name")->setText("Ann");
    // Up until the screenshot tool ends the program, or somebody closes the window.
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 60000);
}

QTEST_MAIN(LobbyWindowTest)
#include "lobbywindow_test.moc"
