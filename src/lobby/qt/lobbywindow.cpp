// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/lobbywindow.h"

#include "chat/qt/chatview.h"
#include "chat/qt/settingslocation.h"
#include "chat/settings.h"
#include "lobby/gameaddress.h"
#include "lobby/gamelaunch.h"
#include "lobby/qt/gamerunner.h"
#include "lobby/qt/lobbychat.h"
#include "lobby/qt/passwordstore.h"
#include "lobby/qt/peoplelist.h"
#include "lobby/qt/roompublisher.h"
#include "lobby/qt/signinpanel.h"
#include "net/protocol.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace lobby {

namespace {

QString passwordKey(const QString& server, const QString& account) {
    return account + QLatin1Char('@') + server;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

LobbyWindow::LobbyWindow(QString gamePath, std::unique_ptr<LobbySession> session,
                         std::unique_ptr<PasswordStore> passwords)
    : m_session(std::move(session)), m_passwords(std::move(passwords)), m_proxy(&m_model) {
    if (!m_passwords) m_passwords = std::make_unique<KeychainPasswordStore>();
    m_runner = new GameRunner(std::move(gamePath), this);
    m_publisher = new RoomPublisher(m_session.get(), this);
    setWindowTitle(QStringLiteral("Bramblies Lobby"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(254, 248, 211));
    setPalette(pal);

    auto* title = new QLabel(QStringLiteral("Bramblies Lobby"));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color: rgb(140,115,10);"));

    m_signInPanel = new SignInPanel;
    auto* room = new QSplitter(Qt::Horizontal);
    room->addWidget(buildTables());
    room->addWidget(buildPeople());
    room->setStretchFactor(0, 2);
    room->setStretchFactor(1, 1);
    room->setSizes({600, 340});
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(room);
    split->addWidget(buildChat());
    split->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_signInPanel);
    layout->addWidget(split, 1);
    layout->addWidget(buildLocalForm());
    setMinimumWidth(560);
    resize(960, 720);

    if (m_session)
        m_session->setListener(this);
    else
        m_signInPanel->showUnavailable(QString::fromLatin1(kNoSession));
    core::Settings chatSettings(ui::SettingsLocation::path());
    chatSettings.loadinifile();
    m_chat->setTextSize(chatSettings.textSize());
    m_roster.setIgnored(m_settings.ignored());
    connectParts();
    loadSavedAccount();
}

LobbyWindow::~LobbyWindow() {
    // The game and the publisher go before the session and the lists they report to.
    delete m_runner;
    delete m_publisher;
    if (m_session) m_session->setListener(nullptr);
}

QWidget* LobbyWindow::buildTables() {
    m_tables = new QTreeView;
    m_tables->setObjectName(QStringLiteral("list_tables"));
    m_tables->setAccessibleName(tr("Tables"));
    m_tables->setModel(&m_proxy);
    m_tables->setRootIsDecorated(false);
    m_tables->setUniformRowHeights(true);
    m_tables->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tables->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tables->header()->setStretchLastSection(false);
    m_tables->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tables->header()->setSectionResizeMode(ui::LobbyTableModel::Host, QHeaderView::Stretch);
    m_tables->setMinimumHeight(140);
    m_none = new QLabel;
    m_none->setObjectName(QStringLiteral("label_none"));
    m_none->setWordWrap(true);

    m_freeSeats = new QCheckBox(tr("&Free seats"));
    m_freeSeats->setObjectName(QStringLiteral("check_free"));
    m_notStarted = new QCheckBox(tr("Not sta&rted"));
    m_notStarted->setObjectName(QStringLiteral("check_notstarted"));
    m_sameVersion = new QCheckBox(tr("Same &version"));
    m_sameVersion->setObjectName(QStringLiteral("check_version"));
    m_joinTable = new QPushButton(tr("&Join"));
    m_joinTable->setObjectName(QStringLiteral("button_join"));
    m_joinTable->setAccessibleName(tr("Join the selected table"));
    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(tr("Show only:")));
    for (QCheckBox* box : {m_freeSeats, m_notStarted, m_sameVersion})
        filters->addWidget(box);
    filters->addStretch(1);
    filters->addWidget(m_joinTable);

    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buddyLabel(tr("&Tables:"), m_tables));
    layout->addLayout(filters);
    layout->addWidget(m_tables, 1);
    layout->addWidget(m_none);
    return box;
}

QGroupBox* LobbyWindow::buildPeople() {
    m_people = new PeopleList;
    auto* box = new QGroupBox;
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(buddyLabel(tr("&People online:"), m_people));
    layout->addWidget(m_people);
    return box;
}

QGroupBox* LobbyWindow::buildChat() {
    m_chat = new LobbyChat;
    auto* box = new QGroupBox;
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(buddyLabel(tr("&Lobby chat:"), m_chat->view()));
    layout->addWidget(m_chat, 1);
    return box;
}

QWidget* LobbyWindow::buildLocalForm() {
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("edit_name"));
    m_name->setAccessibleName(tr("Your name in the game"));
    m_name->setMaxLength(20);
    m_name->setPlaceholderText(tr("Your name"));
    m_address = new QLineEdit(QStringLiteral("127.0.0.1"));
    m_address->setObjectName(QStringLiteral("edit_address"));
    m_address->setAccessibleName(tr("Host address, optionally with :port"));
    m_host = new QRadioButton(tr("&Host a game"));
    m_join = new QRadioButton(tr("Join a &game"));
    m_host->setChecked(true);
    auto* role = new QHBoxLayout;
    role->addWidget(m_host);
    role->addWidget(m_join);
    role->addStretch(1);

    m_start = new QPushButton(tr("Start Ga&me"));
    m_start->setObjectName(QStringLiteral("button_start"));
    m_start->setDefault(true);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("label_status"));
    m_status->setWordWrap(true);
    m_notice = new QLabel(QString::fromLatin1(kNotForwarded));
    m_notice->setObjectName(QStringLiteral("label_notice"));
    m_notice->setStyleSheet(QStringLiteral("color: rgb(170,0,0); font-weight: bold;"));
    m_notice->setWordWrap(true);
    m_notice->hide();

    auto* form = new QFormLayout;
    form->addRow(tr("&Name:"), m_name);
    form->addRow(tr("Host addr&ess:"), m_address);
    form->addRow(QString(), role);
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(m_start);
    layout->addWidget(m_status);
    layout->addWidget(m_notice);
    return box;
}

void LobbyWindow::connectParts() {
    connect(&m_browser, &ui::TableBrowser::tableFound, &m_model, &ui::LobbyTableModel::found);
    connect(&m_browser, &ui::TableBrowser::tableGone, &m_model, &ui::LobbyTableModel::gone);
    connect(&m_proxy, &QAbstractItemModel::rowsInserted, this, [this] { updateTables(); });
    connect(&m_proxy, &QAbstractItemModel::rowsRemoved, this, [this] { updateTables(); });
    connect(&m_proxy, &QAbstractItemModel::modelReset, this, [this] { updateTables(); });
    connect(m_tables, &QTreeView::activated, this, [this] { joinSelected(); });
    connect(m_joinTable, &QPushButton::clicked, this, [this] { joinSelected(); });
    for (QCheckBox* box : {m_freeSeats, m_notStarted, m_sameVersion})
        connect(box, &QCheckBox::toggled, this, [this] { updateFilter(); });

    connect(m_signInPanel, &SignInPanel::signInRequested, this,
            [this](bool create) { signIn(create); });
    connect(m_signInPanel, &SignInPanel::signOutRequested, this, [this] { signOut(); });
    connect(m_chat, &LobbyChat::said, this, [this](const QString& text) {
        if (m_session && m_signedIn) m_session->say(text.toStdString());
    });
    connect(m_people, &PeopleList::ignoreToggled, this,
            [this](const QString& nick) { toggleIgnore(nick); });
    connect(m_people, &PeopleList::kickRequested, this, [this](const QString& nick) {
        if (m_session) m_session->kick(nick.toStdString());
    });
    connect(m_people, &PeopleList::banRequested, this, [this](const QString& nick) {
        if (m_session) m_session->ban(nick.toStdString());
    });

    connect(m_start, &QPushButton::clicked, this, [this] { startGame(); });
    connect(m_name, &QLineEdit::textChanged, this, [this] { updateStart(); });
    connect(m_address, &QLineEdit::textChanged, this, [this] { updateStart(); });
    connect(m_runner, &GameRunner::status, m_status, &QLabel::setText);
    connect(m_runner, &GameRunner::runningChanged, this, [this](bool running) {
        if (!running && m_status->text() == QString::fromLatin1(kGameRunning)) m_status->clear();
        updateStart();
    });
    connect(m_runner, &GameRunner::presenceChanged, this, [this] { gameChanged(); });
    updateTables();
    updateStart();
}

void LobbyWindow::loadSavedAccount() {
    const QString server = m_settings.server();
    const QString account = m_settings.account();
    m_signInPanel->fill(server, account);
    if (server.isEmpty() || account.isEmpty()) return;
    m_passwords->read(passwordKey(server, account), [this](std::optional<QString> password) {
        if (password) m_signInPanel->setPassword(*password);
    });
}

void LobbyWindow::setCompanionPort(quint16 port) {
    m_runner->setCompanionPort(port);
}

// --- The internet lobby ---

void LobbyWindow::signIn(bool createAccount) {
    if (!m_session) return;
    Account account = m_connection;
    account.server = m_signInPanel->server().toStdString();
    account.name = m_signInPanel->account().toStdString();
    account.password = m_signInPanel->password().toStdString();
    m_signInPanel->showBusy(createAccount ? tr("Creating the account...") : tr("Signing in..."));
    if (createAccount)
        m_session->createAccount(account);
    else
        m_session->signIn(account);
}

void LobbyWindow::signOut() {
    if (m_session) m_session->signOut();
    m_signedIn = false;
    m_publisher->signedOut();
    m_roster.clear();
    m_people->setSelf({}, false);
    refreshRoom();
    m_chat->setOpen(false);
    m_signInPanel->showSignedOut();
}

void LobbyWindow::signedIn(const std::string& ownNick) {
    m_signedIn = true;
    m_nick = ownNick;
    const QString nick = QString::fromStdString(ownNick);
    const QString server = m_signInPanel->server();
    const QString account = m_signInPanel->account();
    m_signInPanel->showSignedIn(nick, server);
    m_settings.setAccount(server, account);
    m_passwords->write(passwordKey(server, account), m_signInPanel->password(), [this](bool kept) {
        if (!kept) m_signInPanel->showNote(QString::fromLatin1(kNoKeyring));
    });
    if (m_name->text().trimmed().isEmpty()) m_name->setText(nick.left(m_name->maxLength()));
    m_people->setSelf(nick, false);
    m_chat->setOpen(true);
    m_publisher->signedIn(ownNick);
}

void LobbyWindow::failed(const std::string& message) {
    const bool wasIn = m_signedIn;
    m_signedIn = false;
    m_publisher->signedOut();
    if (wasIn) {
        m_roster.clear();
        refreshRoom();
        m_chat->setOpen(false);
    }
    m_signInPanel->showFailure(QString::fromStdString(message));
}

void LobbyWindow::accountCreated() {
    m_signInPanel->showBusy(tr("Account created. Signing in..."));
}

void LobbyWindow::occupantChanged(const Occupant& occupant) {
    if (m_roster.apply(occupant)) refreshRoom();
}

void LobbyWindow::occupantLeft(const std::string& nick) {
    if (m_roster.remove(nick)) refreshRoom();
}

void LobbyWindow::chatLine(const std::string& nick, const std::string& text) {
    if (!m_roster.ignores(nick)) m_chat->addLine(nick, text);
}

// A crowded room sends presences in bursts: the lists are redrawn once after each burst.
void LobbyWindow::refreshRoom() {
    if (m_refreshPending) return;
    m_refreshPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshPending = false;
            m_people->setPeople(m_roster.people());
            const auto self = m_roster.person(m_nick);
            m_people->setSelf(QString::fromStdString(m_nick),
                              m_signedIn && self && self->role == Role::Moderator);
            m_model.setInternetTables(m_roster.tables());
        },
        Qt::QueuedConnection);
}

void LobbyWindow::toggleIgnore(const QString& nick) {
    std::set<std::string> ignored = m_settings.ignored();
    const std::string who = nick.toStdString();
    if (!ignored.erase(who)) ignored.insert(who);
    m_settings.setIgnored(ignored);
    m_roster.setIgnored(ignored);
    refreshRoom();
}

// --- Tables and the game ---

void LobbyWindow::fill(const QString& name, const QString& address, bool join) {
    if (!name.isEmpty()) m_name->setText(name);
    if (!address.isEmpty()) m_address->setText(address);
    (join ? m_join : m_host)->setChecked(true);
}

void LobbyWindow::startIfReady() {
    if (m_start->isEnabled()) startGame();
}

void LobbyWindow::updateStart() {
    const bool running = m_runner->running();
    m_start->setEnabled(!running && !m_name->text().trimmed().isEmpty() &&
                        !m_address->text().trimmed().isEmpty());
    m_joinTable->setEnabled(!running && m_proxy.rowCount() > 0);
}

void LobbyWindow::updateTables() {
    const QString why = m_browser.unavailableReason();
    if (!why.isEmpty()) {
        m_none->setText(tr("Finding tables on this network is not available: %1.").arg(why));
        m_none->show();
    } else {
        m_none->setText(tr("No games found on this network yet."));
        m_none->setVisible(m_model.rowCount() == 0);
    }
    if (!m_tables->currentIndex().isValid() && m_proxy.rowCount() > 0)
        m_tables->setCurrentIndex(m_proxy.index(0, 0));
    updateStart();
}

void LobbyWindow::updateFilter() {
    TableFilter filter;
    filter.freeSeats = m_freeSeats->isChecked();
    filter.notStarted = m_notStarted->isChecked();
    if (m_sameVersion->isChecked()) filter.version = core::kVersionText;
    m_proxy.setFilter(filter);
    updateTables();
}

bool LobbyWindow::readyToLaunch() {
    if (m_runner->running()) {
        m_status->setText(QString::fromLatin1(kAlreadyRunning));
        return false;
    }
    if (m_name->text().trimmed().isEmpty()) {
        m_status->setText(QString::fromLatin1(kNameFirst));
        m_name->setFocus();
        return false;
    }
    return true;
}

void LobbyWindow::startGame() {
    if (!readyToLaunch()) return;
    const auto address = parseGameAddress(m_address->text().toStdString());
    if (!address) {
        m_status->setText(QString::fromLatin1(kBadAddress));
        m_address->setFocus();
        return;
    }
    const bool host = m_host->isChecked();
    m_runner->start(
        typedInGame(m_name->text().trimmed().toStdString(), address->host, host, address->port),
        host ? (address->port ? address->port : core::kGamePort) : 0);
}

void LobbyWindow::joinSelected() {
    const QModelIndex current = m_proxy.mapToSource(m_tables->currentIndex());
    const LobbyTable* table = m_model.listingAt(current.row());
    if (!table || !readyToLaunch()) return;
    m_runner->start(
        foundTableGame(m_name->text().trimmed().toStdString(), table->address, table->port), 0);
}

void LobbyWindow::gameChanged() {
    m_notice->setVisible(m_runner->presence().notForwarded());
    m_publisher->update(m_runner->presence());
}

} // namespace lobby
