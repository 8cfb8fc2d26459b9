#include "client/qt/tchat.h"

#include "chat/qt/chatpanel.h"
#include "chat/qt/chattersoundmenu.h"
#include "chat/qt/settingslocation.h"
#include "chat/qt/soundplayer.h"
#include "client/qt/auxwindows.h"
#include "client/qt/boardview.h"
#include "client/qt/coachmenu.h"
#include "client/qt/gamekeys.h"
#include "client/qt/gamespeech.h"
#include "client/qt/noticestrip.h"
#include "client/qt/reconnector.h"
#include "client/qt/seatholdoption.h"
#include "client/qt/texttospeechsink.h"
#include "client/tableclient.h"
#include "host/qt/hostserver.h"
#include "host/qt/tablereach.h"
#include "host/sealedturns.h"
#include "host/turnengine.h"
#include "net/qt/clientconnection.h"
#include "widgets/boardpalette.h"
#include "widgets/firstframe.h"
#include "widgets/linkopener.h"
#include "widgets/tiledbackground.h"
#include "widgets/trimmedcard.h"
#include "windows/sitelinks.h"
#include "windows/tphrases.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTcpSocket>
#include <QVBoxLayout>

#include <utility>

namespace ui {

const QString Tchat::kCaption = QStringLiteral("Bramblies");

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

Tchat::Tchat(TchatOptions options, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)) {
    // FormCreate: the board starts cleared and the dice animation draws from a generator
    // seeded from the clock.
    m_client = std::make_unique<core::TableClient>(
        static_cast<core::ClientPort&>(*this),
        static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));

    setObjectName(QStringLiteral("Tchat"));
    setWindowTitle(kCaption);
    m_messageBox = [this](const QString& text) { QMessageBox::information(this, kCaption, text); };

    m_settings = std::make_unique<core::Settings>(SettingsLocation::path());
    m_settings->setPlacementSource([this] { return placement(); });

    buildLayout();
    buildMenus();
    new GameKeys(*this);

    m_sound = new SoundPlayer(this);
    m_sound->holdUntilShown(); // the audio stack loads once the window is on the screen
    m_sound->setSettings(m_settings.get());
    m_sound->setSeatLabelSource([this](int seat) -> std::optional<QString> {
        if (seat < 1 || seat > core::kSeatCount) return std::nullopt;
        return q(m_client->board().seat(seat).label);
    });

    m_chatterMenu = new ChatterSoundMenu(this);
    m_chatterMenu->setSessionSource([this] {
        return ChatterSoundMenu::Session{m_client->loggedin(), m_client->myslot()};
    });
    connect(m_chatterMenu, &ChatterSoundMenu::sendRequested, this,
            [this](const QString& message) { send(message.toStdString()); });
    connect(m_chat, &ChatPanel::chatterMenuRequested, this,
            [this](const QPoint& at) { m_chatterMenu->popup(at); });
    connect(m_chat, &ChatPanel::textColourChanged, this,
            [this](std::uint32_t colour) { m_settings->setTextColour(colour); });
    connect(m_chat, &ChatPanel::textSizeChanged, this,
            [this](int points) { m_settings->setTextSize(points); });
    // The chat's looks before the settings file has been read.
    m_chat->setTextSize(core::Settings::kStartTextSize);

    m_connection = new ClientConnection(this);
    m_connection->setObjectName(QStringLiteral("sock"));
    connect(m_connection, &ClientConnection::entryReady, this,
            [this](const std::string& entry) { m_client->handleMessage(entry); });
    connect(m_connection, &ClientConnection::statusText, this, &Tchat::connectionStatus);
    m_reconnector = new Reconnector(
        [this] {
            m_connection->connectAgain(q(m_client->hosting() ? core::kLocalAddress
                                                             : m_client->hostaddress()),
                                       m_options.port);
        },
        this);
    connect(m_reconnector, &Reconnector::gaveUp, this, [this] {
        if (!m_closing) m_client->reconnectFailed();
    });

    // Spoken game events follow the table: each message is spoken once the board shows it.
    auto* speech = new GameSpeech(*m_client, *m_settings, *new TextToSpeechSink(this), this);
    m_client->addObserver(*speech);
    if (auto* options = findChild<QMenu*>(QStringLiteral("Options1"))) {
        options->insertActions(m_remindMe, {speech->action(), speech->chatAction()});
        options->setToolTipsVisible(true);
    }

    // Below this the board and the chat no longer fit side by side.
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kDefaultWidth, kDefaultHeight);
}

Tchat::~Tchat() {
    // Everything that talks to the client goes before it: the connection (which still
    // reports its close while it goes), the board and the chat. The host may outlive this
    // window for a moment; it must not keep our turn engine.
    disconnect(m_connection, nullptr, this, nullptr);
    delete m_connection;
    delete centralWidget();
    if (m_host) {
        m_host->setTurnHandler(nullptr);
        m_host->setBotSpeedProvider({});
    }
}

void Tchat::buildLayout() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("tablearea"));
    TiledBackground::apply(central);

    m_board = new BoardView(*m_client, central);
    // Image3Click: the logo leads to the maker's page, as the about window does.
    connect(m_board, &BoardView::logoClicked, this,
            [] { LinkOpener::open(siteLinks().makerAddress); });

    // The chat sits on a card with the same gold trim as the board's score sheet.
    auto* chatCard = new TrimmedCard(BoardPalette::paper(), BoardPalette::deepGold(), 2, 10, central);
    chatCard->setObjectName(QStringLiteral("chatcard"));
    m_chat = new ChatPanel(chatCard);
    auto* cardLayout = new QVBoxLayout(chatCard);
    cardLayout->setContentsMargins(7, 7, 7, 7);
    cardLayout->addWidget(m_chat);
    m_chat->setMessageBox([this](const QString& text) { showMessage(text); });
    connect(m_chat, &ChatPanel::sendRequested, this,
            [this](const QString& message) { send(message.toStdString()); });
    // The chat grows with the board when the window is enlarged.
    connect(m_board, &BoardView::scaleChanged, m_chat, &ChatPanel::setScale);

    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    layout->addWidget(m_board, 56);
    layout->addWidget(chatCard, 44);
    setCentralWidget(central);

    m_noticeStrip = new NoticeStrip(central);
}

QAction* Tchat::addItem(QMenu* menu, const QString& text, const char* name, bool enabled) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(enabled);
    return a;
}

QAction* Tchat::menuAction(const QString& name) const {
    return findChild<QAction*>(name);
}

void Tchat::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(tr("File"));
    file->setObjectName(QStringLiteral("File1"));
    m_startGame = addItem(file, tr("Start Game"), "StartGame1", false);
    connect(m_startGame, &QAction::triggered, this, [this] {
        m_client->button_startClick();
        m_board->refresh();
    });
    QAction* exit = addItem(file, tr("Exit"), "Exit1");
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* options = bar->addMenu(tr("Options"));
    options->setObjectName(QStringLiteral("Options1"));
    m_playSounds = addItem(options, tr("Play Sounds"), "PlaySounds1");
    m_playSounds->setCheckable(true);
    m_playSounds->setChecked(true);
    connect(m_playSounds, &QAction::triggered, this,
            [this](bool on) { m_settings->setPlaySounds(on); });
    m_playChatter = addItem(options, tr("Play Chatter Sounds"), "PlayChatterSounds1");
    m_playChatter->setCheckable(true);
    m_playChatter->setChecked(true);
    connect(m_playChatter, &QAction::triggered, this,
            [this](bool on) { m_settings->setPlayChatterSounds(on); });

    QMenu* turnSound = options->addMenu(tr("Turn Sound"));
    turnSound->setObjectName(QStringLiteral("TurnSound1"));
    auto* turnGroup = new QActionGroup(this);
    m_classic = addItem(turnSound, tr("Classic"), "Classic1");
    m_newTurnSound = addItem(turnSound, tr("New"), "New1");
    for (QAction* a : {m_classic, m_newTurnSound}) {
        a->setCheckable(true);
        turnGroup->addAction(a);
    }
    m_classic->setChecked(true);
    connect(m_classic, &QAction::triggered, this, [this] { m_settings->setTurnSound(0); });
    connect(m_newTurnSound, &QAction::triggered, this, [this] { m_settings->setTurnSound(1); });

    m_remindMe = addItem(options, tr("Remind Me to Select a Category"), "remindme1");
    m_remindMe->setCheckable(true);
    m_remindMe->setChecked(m_client->remindMe());
    connect(m_remindMe, &QAction::triggered, this, [this] {
        m_client->remindme1Click();
        m_remindMe->setChecked(m_client->remindMe());
    });

    QMenu* botSpeed = options->addMenu(tr("Bot Speed"));
    botSpeed->setObjectName(QStringLiteral("BotSpeed1"));
    auto* botGroup = new QActionGroup(this);
    m_slow = addItem(botSpeed, tr("Slow"), "Slow1");
    m_normal = addItem(botSpeed, tr("Normal"), "Normal1");
    m_fast = addItem(botSpeed, tr("Fast"), "Fast1");
    const std::pair<QAction*, int> speeds[] = {{m_slow, core::Settings::kBotSlow},
                                               {m_normal, core::Settings::kBotNormal},
                                               {m_fast, core::Settings::kBotFast}};
    for (const auto& [a, ms] : speeds) {
        a->setCheckable(true);
        botGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, ms = ms] { m_settings->setBotSpeed(ms); });
    }
    m_normal->setChecked(true);

    QAction* textColor = m_chat->textColorAction();
    textColor->setObjectName(QStringLiteral("TextColor1"));
    options->addAction(textColor);
    QMenu* textSize = m_chat->textSizeMenu();
    textSize->setObjectName(QStringLiteral("TextSize1"));
    for (QAction* a : textSize->actions())
        a->setObjectName(QStringLiteral("N") + a->text());
    options->addMenu(textSize);
    QAction* scrollOff = m_chat->scrollChatOffAction();
    scrollOff->setObjectName(QStringLiteral("ScrollChatOff1"));
    options->addAction(scrollOff);
    QAction* clear = m_chat->clearMainChatAction();
    clear->setObjectName(QStringLiteral("ClearMainChat1"));
    options->addAction(clear);
    QAction* reset = addItem(options, tr("Reset Screen Location"), "ResetScreenLocation1");
    connect(reset, &QAction::triggered, this, &Tchat::ResetScreenLocation1Click);
    m_justWatch = addItem(options, tr("Just Watch"), "JustWatch1");
    m_justWatch->setCheckable(true);
    connect(m_justWatch, &QAction::triggered, this, [this] {
        // The mark follows the host's answer, not the click.
        m_justWatch->setChecked(m_client->justWatchChecked());
        m_client->JustWatch1Click();
    });

    m_coachMenu = new CoachMenu(file, options, *m_settings, *m_client, [this] { m_board->refresh(); },
                                this);
    m_seatHold = new SeatHoldOption(options, *m_settings, this);
    // Every redraw of the board, after a host message or a click, settles what Hint can do.
    connect(m_board, &BoardView::refreshed, m_coachMenu, &CoachMenu::boardChanged);

    QMenu* view = bar->addMenu(tr("View"));
    view->setObjectName(QStringLiteral("View1"));
    QAction* viewTally = addItem(view, tr("View Tally"), "ViewTally1");
    connect(viewTally, &QAction::triggered, this, [this] { withWindows(&AuxWindows::viewTally); });
    QAction* spies = addItem(view, tr("Spy List"), "SpyList1");
    connect(spies, &QAction::triggered, this, [this] { withWindows(&AuxWindows::showSpyList); });
    QAction* phrases = addItem(view, tr("Phrase List"), "PrhaseList1");
    connect(phrases, &QAction::triggered, this, [this] { withWindows(&AuxWindows::showPhrases); });

    QMenu* help = bar->addMenu(tr("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* content = addItem(help, tr("Content"), "Help2");
    content->setShortcut(QKeySequence(Qt::Key_F1));
    connect(content, &QAction::triggered, this, [this] { withWindows(&AuxWindows::showHelp); });
    QAction* aboutItem = addItem(help, tr("About"), "About1");
    connect(aboutItem, &QAction::triggered, this, [this] { withWindows(&AuxWindows::showAbout); });

    // A top-level item without a menu of its own.
    QAction* soloItem = bar->addAction(tr("Check out Brambles Solo!"));
    soloItem->setObjectName(QStringLiteral("CheckoutBramblesSolo1"));
    connect(soloItem, &QAction::triggered, this, [this] { withWindows(&AuxWindows::showSolo); });
}

// ---- the game host --------------------------------------------------------------------------

HostServer* Tchat::hostServer() const {
    return m_host.data();
}

void Tchat::setHostServer(HostServer* host) {
    m_host = host;
    if (!host) return;
    host->setTimeScale(m_options.timeScale);
    if (!m_turns) m_turns = core::makeSealedTurnEngine(host->state());
    host->setTurnHandler(m_turns.get());
    // The computer player follows this copy's "Bot Speed" menu.
    host->setBotSpeedProvider([this] { return m_settings->botSpeed(); });
    // ... and its "Computer Player" menu.
    host->setComputerStyleProvider([this] {
        return m_settings->expertComputer() ? core::ComputerStyle::Expert
                                            : core::ComputerStyle::Classic;
    });
    connect(host, &HostServer::noticeRaised, this, &Tchat::hostNotice);
    m_seatHold->setHost(host);
}

void Tchat::withWindows(void (AuxWindows::*show)()) {
    if (m_windows) (m_windows->*show)();
}

// ---- seams ---------------------------------------------------------------------------------

void Tchat::setMessageBox(MessageBoxFn show) {
    m_messageBox = std::move(show);
}

void Tchat::showMessage(const QString& text) {
    if (m_messageBox) m_messageBox(text);
}

void Tchat::hostNotice(const QString& text) {
    m_notices << text;
    m_noticeStrip->notice(text);
}

// ---- show and close ------------------------------------------------------------------------

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FirstFrame::after(this, [this] {
            m_framed = true;
            m_sound->windowShown();
            if (std::exchange(m_downloadDue, false)) {
                withWindows(&AuxWindows::showDownload);
                activateWindow(); // the keyboard stays with the table
            }
        });
        FormShow();
    }
}

void Tchat::FormShow() {
    m_client->processparams(m_options.params);
    syncSession();
}

void Tchat::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (m_closing) return;
    m_closing = true;
    // FormClose: the placement is kept when it changed (and the settings have been read in
    // this run; otherwise the stored placement stays).
    const QRect work = screen() ? screen()->availableGeometry() : QRect(0, 0, width(), height());
    m_settings->closeWindow(placement(), work.width(), work.height());
    // Leaving the table: the host learns of it at once. A hosting copy takes its game host
    // with it, which closes everybody else's connection.
    m_connection->close();
    if (m_companion) m_companion->abort();
    if (m_host && m_client->hosting()) m_host->deleteLater();
    if (m_reach) m_reach->stop(); // the router forgets the mapping before the program ends
}

// ---- ClientPort: connection ----------------------------------------------------------------

void Tchat::startListening() {
    if (!m_host) setHostServer(new HostServer(this));
    if (!m_host->isListening() && !m_host->listen(m_options.port))
        hostNotice(tr("The game could not be hosted on port %1.").arg(m_options.port));
    else if (!m_options.params.empty() && !m_reach)
        startReach();
}

void Tchat::startReach() {
    m_reach = new TableReach(*m_host, m_options.reach, this);
    // The router's answer, once, as one of the table's own lines; "ADDRESS:PORT" stays whole.
    connect(m_reach, &TableReach::reported, this, [this](const QString& sentence) {
        m_chat->addlinetochat("0+" + sentence.toStdString(), m_client->systemcolour(), false);
    });
    m_reach->start();
}

void Tchat::connectToHost(const std::string& address, int) {
    // The port is this copy's game port (7772 unless given on the command line).
    m_connection->connectToHost(q(address), m_options.port);
}

void Tchat::openCompanion(const std::string& address, int port) {
    // Kept open for the lobby's sake; nothing is sent or read, and a refusal is harmless.
    if (!m_companion) {
        m_companion = new QTcpSocket(this);
        m_companion->setObjectName(QStringLiteral("Sock11"));
    }
    m_companion->connectToHost(q(address), static_cast<quint16>(port));
}

void Tchat::send(const std::string& message) {
    m_connection->send(message);
}

// ---- ClientPort: presentation --------------------------------------------------------------

void Tchat::addlinetochat(const std::string& line, std::uint32_t colour) {
    m_chat->addlinetochat(line, colour);
}

void Tchat::chatrecieved(const std::string& payload) {
    m_chat->chatrecieved(payload);
}

void Tchat::playasound(const std::string& payload) {
    if (const std::optional<QString> line = m_sound->playasound(q(payload)))
        addlinetochat(line->toStdString(), m_client->systemcolour());
}

void Tchat::playsounds(const std::string& cue) {
    m_sound->playsounds(q(cue));
}

void Tchat::messageBox(const std::string& text) {
    showMessage(q(text));
}

void Tchat::closeWindow() {
    // Asked for from inside a message handler; close once that handler has returned.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void Tchat::boardChanged() {
    m_board->refresh();
    syncSession();
}

void Tchat::diceChanged() {
    m_board->refreshDice();
}

void Tchat::syncSession() {
    m_chat->setSession(m_client->loggedin(), m_client->myslot());
}

// ---- ClientPort: windows and menus ---------------------------------------------------------

void Tchat::showLobbyDownload() {
    // The table window is on the screen first; the lobby window follows its first picture
    // rather than delaying it.
    if (!m_framed) {
        m_downloadDue = true;
        return;
    }
    withWindows(&AuxWindows::showDownload);
}

void Tchat::showGameOptions() {
    withWindows(&AuxWindows::showGameOptions);
}

void Tchat::addSpectator(const core::Spectator& spectator) {
    // The client has written the chat line already.
    if (m_windows) m_windows->spectatorAdded(spectator);
}

void Tchat::removeSpectator(const core::Spectator& spectator) {
    if (m_windows) m_windows->spectatorRemoved(spectator);
}

void Tchat::setStartGameEnabled(bool enabled) {
    m_startGame->setEnabled(enabled);
}

void Tchat::setJustWatchChecked(bool checked) {
    m_justWatch->setChecked(checked);
}

void Tchat::setSpyRemoveEnabled(bool enabled) {
    if (m_windows) m_windows->setSpyRemoveEnabled(enabled);
}

// ---- ClientPort: settings, timers, tally ---------------------------------------------------

void Tchat::loadSettings() {
    m_settings->loadinifile();
    applySettings();
    if (auto notice = m_settings->takeNotice()) addlinetochat("0+" + *notice, core::kSystemColour);
}

void Tchat::applySettings() {
    const core::Settings& st = *m_settings;
    m_chat->setTextSize(st.textSize());
    const core::Placement& at = st.lastPlacement();
    move(at.left, at.top);
    resize(at.width, at.height);
    m_chat->setTextColour(st.textColour());
    m_slow->setChecked(st.botSpeed() == core::Settings::kBotSlow);
    m_fast->setChecked(st.botSpeed() == core::Settings::kBotFast);
    m_normal->setChecked(st.botSpeed() != core::Settings::kBotSlow &&
                         st.botSpeed() != core::Settings::kBotFast);
    for (int n = 1; n <= Tphrases::kPhraseCount; ++n) {
        const std::string& phrase = st.phrases()[static_cast<std::size_t>(n - 1)];
        if (!phrase.empty()) m_chat->setPhrase(n, q(phrase));
    }
    m_playSounds->setChecked(st.playSounds());
    m_client->setRemindMe(st.remindMe());
    m_remindMe->setChecked(st.remindMe());
    (st.turnSound() == 1 ? m_newTurnSound : m_classic)->setChecked(true);
    m_playChatter->setChecked(st.playChatterSounds());
    if (m_windows) m_windows->settingsLoaded();
    m_coachMenu->applySettings();
    m_seatHold->applySettings();
    if (auto* speech = findChild<GameSpeech*>()) speech->settingsLoaded();
}

void Tchat::writeSettings() {
    // The client asks for this after the reminder switch changed.
    m_settings->setRemindMe(m_client->remindMe());
}

core::Placement Tchat::placement() const {
    core::Placement p;
    p.top = pos().y();
    p.left = pos().x();
    p.width = width();
    p.height = height();
    return p;
}

void Tchat::ResetScreenLocation1Click() {
    // Stored by the close rule, not at once.
    const core::Placement home;
    move(home.left, home.top);
    resize(home.width, home.height);
}

void Tchat::startDiceAnimation() {
    m_board->startDiceAnimation();
}

void Tchat::stopDiceAnimation() {
    m_board->stopDiceAnimation();
}

void Tchat::addtomineincrease(int column) {
    if (m_windows) m_windows->addtomineincrease(column);
}

// ---- ClientPort: coming back after a drop --------------------------------------------------

void Tchat::connectionStatus(const QString& text) {
    // Our own leaving closes the connection too; that is no news to the player.
    if (m_closing) return;
    if (m_reconnector->active()) {
        if (text == kConnectedText)
            m_reconnector->connected();
        else
            m_reconnector->attemptFailed();
        return;
    }
    m_client->sockInfo(text.toStdString());
}

std::string Tchat::seatTokenPlace() const {
    return m_client->hostaddress() + ":" + std::to_string(m_options.port);
}

void Tchat::keepSeatToken(const std::string& token) {
    m_settings->setSeatToken(seatTokenPlace(), token);
}

std::string Tchat::keptSeatToken() {
    return m_settings->seatToken(seatTokenPlace());
}

bool Tchat::startReconnecting(int withinSeconds) {
    m_reconnector->start(withinSeconds);
    return true;
}

void Tchat::recordGame(bool localWon, const std::string& winnersText, const std::string& myTotal) {
    if (m_windows) m_windows->recordGame(localWon, q(winnersText), q(myTotal));
}

} // namespace ui
