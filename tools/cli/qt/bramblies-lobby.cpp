// bramblies-lobby: a small stand-in for the lobby program. It asks for a name, a host address
// and whether to host or join, starts the game beside it with those three arguments and, while
// that game runs, listens on 127.0.0.1 port 9001 where the game expects its lobby.
//
//   bramblies-lobby [--game PATH] [--player NAME] [--address HOST] [--join] [--start]
//   bramblies-lobby --help | --version
//
// PATH defaults to "bramblies" beside this program. --player, --address and --join fill in the
// window (X11 takes -name for itself, hence --player); --start starts the game at once, as if
// "Start Game" had been pressed.
//
// Above the form it lists the tables announced on this network (through Avahi, where it runs),
// live, each with a "Join" button that starts `bramblies NAME ADDRESS x --port N`.

#include "app/buildinfo.h"
#include "app/qt/appidentity.h"
#include "net/qt/tablebrowser.h"
#include "windows/lobbytablemodel.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

constexpr quint16 kLobbyPort = 9001;

class LobbyWindow : public QWidget {
public:
    explicit LobbyWindow(QString gamePath) : m_gamePath(std::move(gamePath)) {
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

    void fill(const QString& name, const QString& address, bool join) {
        if (!name.isEmpty()) m_name->setText(name);
        if (!address.isEmpty()) m_address->setText(address);
        (join ? m_join : m_host)->setChecked(true);
    }
    void startIfReady() {
        if (m_start->isEnabled()) startGame();
    }

private:
    void updateStart() {
        const bool running = m_game.state() != QProcess::NotRunning;
        m_start->setEnabled(!running && !m_name->text().trimmed().isEmpty() &&
                            !m_address->text().trimmed().isEmpty());
    }

    void startGame() {
        launch({m_name->text().trimmed(), m_address->text().trimmed(),
                m_host->isChecked() ? QStringLiteral("true") : QStringLiteral("false")});
    }

    void updateTables() {
        m_none->setVisible(m_model.rowCount() == 0);
    }

    // One "Join" button per new row; it finds its row again by the service's name, since rows
    // above it may come and go.
    void addJoinButtons(int first, int last) {
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

    void joinTable(const QString& service, const QString& domain) {
        const ui::FoundTable* t = m_model.tableAt(m_model.rowOf(service, domain));
        if (!t) return;
        if (m_game.state() != QProcess::NotRunning) {
            m_status->setText(QStringLiteral("A game is already running."));
            return;
        }
        const QString name = m_name->text().trimmed();
        if (name.isEmpty()) {
            m_status->setText(QStringLiteral("Type your name first."));
            m_name->setFocus();
            return;
        }
        launch({name, t->address, QStringLiteral("x"), QStringLiteral("--port"),
                QString::number(t->port)});
    }

    void launch(const QStringList& args) {
        // The game reaches its lobby here while it runs; a busy port only means it finds
        // somebody else's listener, so the game starts either way.
        if (!m_server.isListening() && !m_server.listen(QHostAddress::LocalHost, kLobbyPort))
            m_status->setText(QStringLiteral("Port 9001 is busy: ") + m_server.errorString());
        else
            m_status->setText(QStringLiteral("Game running..."));
        m_game.setProgram(m_gamePath);
        m_game.setArguments(args);
        m_game.setProcessChannelMode(QProcess::ForwardedChannels);
        m_game.start();
        updateStart();
    }

    void acceptCompanion() {
        while (QTcpSocket* s = m_server.nextPendingConnection()) {
            // Kept open and never read from in earnest: drop whatever arrives.
            connect(s, &QTcpSocket::readyRead, s, [s] { s->readAll(); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    }

    void gameEnded() {
        m_server.close();
        const auto companions = m_server.findChildren<QTcpSocket*>();
        for (QTcpSocket* s : companions)
            s->disconnectFromHost();
        if (m_status->text() == QStringLiteral("Game running...")) m_status->clear();
        updateStart();
    }

    QString m_gamePath;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_address = nullptr;
    QRadioButton* m_host = nullptr;
    QRadioButton* m_join = nullptr;
    QPushButton* m_start = nullptr;
    QLabel* m_status = nullptr;
    QTreeView* m_tables = nullptr;
    QLabel* m_none = nullptr;
    QTcpServer m_server;
    QProcess m_game;
    ui::LobbyTableModel m_model;
    ui::TableBrowser m_browser;
};

// What --help prints.
constexpr const char* kHelp =
    "Usage: bramblies-lobby [--game PATH] [--player NAME] [--address HOST] [--join] [--start]\n"
    "Asks for a name, a host address and whether to host or join, then starts the game.\n"
    "\n"
    "  --game PATH      the game program (default: bramblies beside this program)\n"
    "  --player NAME    fill in the player's name\n"
    "  --address HOST   fill in the host address\n"
    "  --join           join a game instead of hosting one\n"
    "  --start          start the game at once\n"
    "  --help           show this help and exit\n"
    "  --version        show the version and exit\n";

int refuse(const QString& fault) {
    std::fprintf(stderr, "bramblies-lobby: %s (see --help)\n", qPrintable(fault));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // The command line is checked before the application object exists, so --help, --version
    // and a refusal need no display. Qt's own options (-platform, -style, ...) are let through
    // for the application object to take.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    QCommandLineOption version(QStringLiteral("version"), QString());
    QCommandLineOption game(QStringLiteral("game"), QString(), QStringLiteral("path"));
    QCommandLineOption name(QStringLiteral("player"), QString(), QStringLiteral("name"));
    QCommandLineOption address(QStringLiteral("address"), QString(), QStringLiteral("host"));
    QCommandLineOption join(QStringLiteral("join"), QString());
    QCommandLineOption start(QStringLiteral("start"), QString());
    parser.addOptions({help, version, game, name, address, join, start});
    for (const char* qtOption : {"platform", "platformpluginpath", "platformtheme", "plugin",
                                 "display", "style", "stylesheet", "geometry", "name", "title",
                                 "qwindowgeometry", "qwindowtitle", "qwindowicon"})
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(qtOption), QString(), QStringLiteral("value")));
    parser.addOption(QCommandLineOption(QStringLiteral("reverse"), QString()));
    if (!parser.parse(arguments)) return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument '%1'")
                          .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(help)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("bramblies-lobby %s\n", app::kProgramVersion);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bramblies-lobby"));
    ui::applyAppIdentity();
    QString gamePath = parser.value(game);
    if (gamePath.isEmpty())
        gamePath =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bramblies"));

    LobbyWindow window(gamePath);
    window.fill(parser.value(name), parser.value(address), parser.isSet(join));
    window.show();
    if (parser.isSet(start)) window.startIfReady();
    return application.exec();
}
