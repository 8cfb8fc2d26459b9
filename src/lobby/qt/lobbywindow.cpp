// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/lobbywindow.h"

#include "lobby/gamelaunch.h"
#include "net/protocol.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpSocket>
#include <QTreeView>
#include <QVBoxLayout>

namespace lobby {

LobbyWindow::LobbyWindow(QString gamePath) : m_gamePath(std::move(gamePath)) {
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

    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("edit_name"));
    m_name->setMaxLength(20);
    m_name->setPlaceholderText(QStringLiteral("Your name"));
    m_address = new QLineEdit(QStringLiteral("127.0.0.1"));
    m_address->setObjectName(QStringLiteral("edit_address"));
    m_host = new QRadioButton(QStringLiteral("Host a game"));
    m_join = new QRadioButton(QStringLiteral("Join a game"));
    m_host->setChecked(true);
    auto* role = new QHBoxLayout;
    role->addWidget(m_host);
    role->addWidget(m_join);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name:"), m_name);
    form->addRow(QStringLiteral("Host address:"), m_address);
    form->addRow(QString(), role);

    m_start = new QPushButton(QStringLiteral("Start Game"));
    m_start->setObjectName(QStringLiteral("button_start"));
    m_start->setDefault(true);
    m_status = new QLabel;
    m_status->setWordWrap(true);

    auto* found = new QLabel(QStringLiteral("Games on this network:"));
    m_tables = new QTreeView;
    m_tables->setObjectName(QStringLiteral("list_tables"));
    m_tables->setModel(&m_model);
    m_tables->setRootIsDecorated(false);
    m_tables->setSelectionMode(QAbstractItemView::NoSelection);
    m_tables->setFocusPolicy(Qt::NoFocus);
    m_tables->header()->setStretchLastSection(false);
    m_tables->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tables->header()->setSectionResizeMode(ui::LobbyTableModel::Host, QHeaderView::Stretch);
    m_tables->setMinimumHeight(140);
    m_none = new QLabel(QStringLiteral("No games found on this network yet."));
    m_none->setObjectName(QStringLiteral("label_none"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(found);
    layout->addWidget(m_tables);
    layout->addWidget(m_none);
    layout->addLayout(form);
    layout->addWidget(m_start);
    layout->addWidget(m_status);
    setMinimumWidth(560);

    connect(&m_browser, &ui::TableBrowser::tableFound, &m_model, &ui::LobbyTableModel::found);
    connect(&m_browser, &ui::TableBrowser::tableGone, &m_model, &ui::LobbyTableModel::gone);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { addJoinButtons(first, last); });
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, [this] { updateTables(); });
    updateTables();
    connectControls();
}

// The form's controls, and the game the lobby starts with the companion port it keeps open.
void LobbyWindow::connectControls() {
    connect(m_start, &QPushButton::clicked, this, [this] { startGame(); });
    connect(m_name, &QLineEdit::textChanged, this, [this] { updateStart(); });
    connect(m_address, &QLineEdit::textChanged, this, [this] { updateStart(); });
    connect(&m_server, &QTcpServer::newConnection, this, [this] { acceptCompanion(); });
    connect(&m_game, &QProcess::finished, this, [this] { gameEnded(); });
    connect(&m_game, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            m_status->setText(QStringLiteral("Could not start ") + m_gamePath);
            gameEnded();
        }
    });
    updateStart();
}

void LobbyWindow::fill(const QString& name, const QString& address, bool join) {
    if (!name.isEmpty()) m_name->setText(name);
    if (!address.isEmpty()) m_address->setText(address);
    (join ? m_join : m_host)->setChecked(true);
}

void LobbyWindow::startIfReady() {
    if (m_start->isEnabled()) startGame();
}

void LobbyWindow::updateStart() {
    const bool running = m_game.state() != QProcess::NotRunning;
    m_start->setEnabled(!running && !m_name->text().trimmed().isEmpty() &&
                        !m_address->text().trimmed().isEmpty());
}

void LobbyWindow::startGame() {
    launch(lobby::typedInGame(m_name->text().trimmed().toStdString(),
                              m_address->text().trimmed().toStdString(), m_host->isChecked()));
}

void LobbyWindow::updateTables() {
    m_none->setVisible(m_model.rowCount() == 0);
}

void LobbyWindow::addJoinButtons(int first, int last) {
    for (int row = first; row <= last; ++row) {
        const ui::FoundTable* t = m_model.tableAt(row);
        auto* join = new QPushButton(QStringLiteral("Join"));
        join->setObjectName(QStringLiteral("button_join"));
        connect(join, &QPushButton::clicked, this,
                [this, name = t->name, domain = t->domain] { joinTable(name, domain); });
        m_tables->setIndexWidget(m_model.index(row, ui::LobbyTableModel::Join), join);
    }
    updateTables();
}

void LobbyWindow::joinTable(const QString& service, const QString& domain) {
    const ui::FoundTable* t = m_model.tableAt(m_model.rowOf(service, domain));
    if (!t) return;
    if (m_game.state() != QProcess::NotRunning) {
        m_status->setText(QString::fromLatin1(kAlreadyRunning));
        return;
    }
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        m_status->setText(QString::fromLatin1(kNameFirst));
        m_name->setFocus();
        return;
    }
    launch(foundTableGame(name.toStdString(), t->address.toStdString(), t->port));
}

void LobbyWindow::launch(const std::vector<std::string>& arguments) {
    QStringList args;
    for (const std::string& a : arguments)
        args << QString::fromStdString(a);
    // The game reaches its lobby here while it runs; a busy port only means it finds
    // somebody else's listener, so the game starts either way.
    if (!m_server.isListening() && !m_server.listen(QHostAddress::LocalHost, core::kCompanionPort))
        m_status->setText(QStringLiteral("Port 9001 is busy: ") + m_server.errorString());
    else
        m_status->setText(QString::fromLatin1(kGameRunning));
    m_game.setProgram(m_gamePath);
    m_game.setArguments(args);
    m_game.setProcessChannelMode(QProcess::ForwardedChannels);
    m_game.start();
    updateStart();
}

void LobbyWindow::acceptCompanion() {
    while (QTcpSocket* s = m_server.nextPendingConnection()) {
        // Kept open and never read from in earnest: drop whatever arrives.
        connect(s, &QTcpSocket::readyRead, s, [s] { s->readAll(); });
        connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    }
}

void LobbyWindow::gameEnded() {
    m_server.close();
    const auto companions = m_server.findChildren<QTcpSocket*>();
    for (QTcpSocket* s : companions)
        s->disconnectFromHost();
    if (m_status->text() == QString::fromLatin1(kGameRunning)) m_status->clear();
    updateStart();
}

} // namespace lobby
