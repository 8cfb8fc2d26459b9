// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lobby's window. Without signing in: a name, a host address (with an optional port) and
// whether to host or join, and the tables announced on this network. Signed in to the internet
// lobby as well: the people online, the lobby's chat, and the internet's tables in the same
// list, a column telling them apart. It starts the game beside it (GameRunner) and, while that
// game runs, publishes what it does to the room (RoomPublisher).

#include "lobby/lobbyroster.h"
#include "lobby/lobbysession.h"
#include "lobby/qt/lobbysettings.h"
#include "lobby/qt/lobbytablemodel.h"
#include "lobby/qt/passwordstore.h"
#include "lobby/qt/tablefilterproxy.h"
#include "net/qt/tablebrowser.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace lobby {

class GameRunner;
class LobbyChat;
class PeopleList;
class RoomPublisher;
class SignInPanel;

class LobbyWindow : public QWidget, private SessionListener {
public:
    static constexpr const char* kNoSession = "The internet lobby is not part of this build.";
    static constexpr const char* kNoKeyring =
        "No keyring: the password is not kept and will be asked next time.";

    // `session` may be null (no internet lobby); `passwords` defaults to the desktop keyring.
    LobbyWindow(QString gamePath, std::unique_ptr<LobbySession> session,
                std::unique_ptr<PasswordStore> passwords = nullptr);
    ~LobbyWindow() override;

    void fill(const QString& name, const QString& address, bool join);
    void startIfReady();
    // Where and how to connect, beyond server, name and password (tests, private servers).
    void setConnection(const Account& connection) { m_connection = connection; }
    // Tests' fake games report elsewhere than the real game's companion port.
    void setCompanionPort(quint16 port);

private:
    QWidget* buildTables();
    QGroupBox* buildPeople();
    QGroupBox* buildChat();
    QWidget* buildLocalForm();
    void connectParts();
    void loadSavedAccount();

    void signIn(bool createAccount);
    void signOut();
    void refreshRoom();
    void toggleIgnore(const QString& nick);

    void updateStart();
    void updateTables();
    void updateFilter();
    bool readyToLaunch();
    void startGame();
    void joinSelected();
    void gameChanged();

    // SessionListener
    void signedIn(const std::string& ownNick) override;
    void failed(const std::string& message) override;
    void accountCreated() override;
    void occupantChanged(const Occupant& occupant) override;
    void occupantLeft(const std::string& nick) override;
    void chatLine(const std::string& nick, const std::string& text) override;

    std::unique_ptr<LobbySession> m_session;
    std::unique_ptr<PasswordStore> m_passwords;
    LobbySettings m_settings;
    Account m_connection;
    LobbyRoster m_roster;
    std::string m_nick;
    bool m_signedIn = false;
    bool m_refreshPending = false;

    SignInPanel* m_signInPanel = nullptr;
    PeopleList* m_people = nullptr;
    LobbyChat* m_chat = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_address = nullptr;
    QRadioButton* m_host = nullptr;
    QRadioButton* m_join = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_joinTable = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_notice = nullptr;
    QTreeView* m_tables = nullptr;
    QLabel* m_none = nullptr;
    QCheckBox* m_freeSeats = nullptr;
    QCheckBox* m_notStarted = nullptr;
    QCheckBox* m_sameVersion = nullptr;
    ui::LobbyTableModel m_model;
    ui::TableFilterProxy m_proxy;
    ui::TableBrowser m_browser;
    GameRunner* m_runner = nullptr;
    RoomPublisher* m_publisher = nullptr;
};

} // namespace lobby
