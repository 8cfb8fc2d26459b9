// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/tchat.h"

#include "chat/qt/chatpanel.h"
#include "chat/qt/chattersoundmenu.h"
#include "chat/qt/settingslocation.h"
#include "chat/qt/soundplayer.h"
#include "chat/settings.h"
#include "client/clientport.h"
#include "client/qt/auxwindows.h"
#include "client/qt/boardview.h"
#include "client/qt/coachmenu.h"
#include "client/qt/gamekeys.h"
#include "client/qt/gamespeech.h"
#include "client/qt/menusadapter.h"
#include "client/qt/noticestrip.h"
#include "client/qt/presentationadapter.h"
#include "client/qt/recordsadapter.h"
#include "client/qt/seatholdoption.h"
#include "client/qt/tablehosting.h"
#include "client/qt/tablemenus.h"
#include "client/qt/texttospeechsink.h"
#include "client/qt/transportadapter.h"
#include "client/qt/windowplacer.h"
#include "client/tableclient.h"
#include "net/qt/clientconnection.h"
#include "widgets/boardpalette.h"
#include "widgets/firstframe.h"
#include "widgets/linkopener.h"
#include "widgets/tiledbackground.h"
#include "widgets/trimmedcard.h"
#include "windows/sitelinks.h"
#include "windows/tphrases.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QScreen>
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
    setObjectName(QStringLiteral("Tchat"));
    setWindowTitle(kCaption);

    // The client's ways out are made first, as the client is built on them; what they show
    // and switch is made after the client and handed to them (attach).
    m_presentation = new PresentationAdapter(*this);
    m_records = new RecordsAdapter(SettingsLocation::path(), *m_presentation, m_windows, this);
    m_records->settings().setPlacementSource([this] { return placement(); });
    m_transport = new TransportAdapter(m_options.port, settings(), this);
    m_menusAdapter = new MenusAdapter(*this, m_windows);
    // FormCreate: the board starts cleared and the dice animation draws from a generator
    // seeded from the clock.
    m_client = std::make_unique<core::TableClient>(
        core::ClientPorts(*m_transport, *m_presentation, *m_menusAdapter, *m_records),
        static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));
    m_transport->attach(*m_client);
    m_records->attach(*m_client);

    buildLayout();
    m_menus = new TableMenus(*this, *m_client, settings(), *m_chat, m_windows);
    m_menusAdapter->attach(*m_menus);
    // Every redraw of the board, after a host message or a click, settles what Hint can do.
    connect(m_board, &BoardView::refreshed, m_menus->coachMenu(), &CoachMenu::boardChanged);
    new GameKeys(*this);

    m_sound = new SoundPlayer(this);
    m_sound->holdUntilShown(); // the audio stack loads once the window is on the screen
    m_sound->setSettings(&settings());
    m_sound->setSeatLabelSource([this](int seat) -> std::optional<QString> {
        if (seat < 1 || seat > core::kSeatCount) return std::nullopt;
        return q(m_client->board().seat(seat).label);
    });
    m_presentation->attach(*m_client, *m_board, *m_chat, *m_sound);

    m_chatterMenu = new ChatterSoundMenu(this);
    m_chatterMenu->setSessionSource([this] {
        return ChatterSoundMenu::Session{m_client->loggedin(), m_client->myslot()};
    });
    connect(m_chatterMenu, &ChatterSoundMenu::sendRequested, this,
            [this](const QString& message) { m_transport->send(message.toStdString()); });
    connect(m_chat, &ChatPanel::chatterMenuRequested, this,
            [this](const QPoint& at) { m_chatterMenu->popup(at); });
    connect(m_chat, &ChatPanel::textColourChanged, this,
            [this](std::uint32_t colour) { settings().setTextColour(colour); });
    connect(m_chat, &ChatPanel::textSizeChanged, this,
            [this](int points) { settings().setTextSize(points); });
    // The chat's looks before the settings file has been read.
    m_chat->setTextSize(core::Settings::kStartTextSize);
    connect(m_records, &RecordsAdapter::settingsLoaded, this, &Tchat::applySettings);

    ClientConnection* connection = m_transport->connection();
    connect(connection, &ClientConnection::entryReady, this,
            [this](const std::string& entry) { m_client->handleMessage(entry); });
    connect(m_transport, &TransportAdapter::statusText, this,
            [this](const QString& text) { m_client->sockInfo(text.toStdString()); });
    connect(m_transport, &TransportAdapter::reconnectGaveUp, this,
            [this] { m_client->reconnectFailed(); });
    connect(m_transport, &TransportAdapter::hostNotice, this, &Tchat::hostNotice);

    // Spoken game events follow the table: each message is spoken once the board shows it.
    auto* speech = new GameSpeech(*m_client, settings(), *new TextToSpeechSink(this), this);
    m_client->addObserver(*speech);
    connect(speech, &GameSpeech::unavailable, this, [this](const QString& sentence) {
        m_chat->addlinetochat("0+" + sentence.toStdString(), m_client->systemcolour(), false);
    });
    m_menus->addSpeechItems(speech->action(), speech->chatAction());

    // Below this the board and the chat no longer fit side by side.
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kDefaultWidth, kDefaultHeight);
}

Tchat::~Tchat() {
    // Everything that talks to the client goes before it: the connection (which still
    // reports its close while it goes), the board and the chat.
    disconnect(m_transport->connection(), nullptr, this, nullptr);
    disconnect(m_transport, nullptr, this, nullptr);
    delete m_transport;
    delete centralWidget();
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
    auto* chatCard =
        new TrimmedCard(BoardPalette::paper(), BoardPalette::deepGold(), 2, 10, central);
    chatCard->setObjectName(QStringLiteral("chatcard"));
    m_chat = new ChatPanel(chatCard);
    auto* cardLayout = new QVBoxLayout(chatCard);
    cardLayout->setContentsMargins(7, 7, 7, 7);
    cardLayout->addWidget(m_chat);
    m_chat->setMessageBox([this](const QString& text) { showMessage(text); });
    connect(m_chat, &ChatPanel::sendRequested, this,
            [this](const QString& message) { m_transport->send(message.toStdString()); });
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

// ---- parts and seams ------------------------------------------------------------------------

ClientConnection* Tchat::connection() const {
    return m_transport->connection();
}

QTcpSocket* Tchat::companion() const {
    return m_transport->companion();
}

core::Settings& Tchat::settings() {
    return m_records->settings();
}

DiceAnimation* Tchat::diceAnimation() const {
    return m_presentation->diceAnimation();
}

QAction* Tchat::menuAction(const QString& name) const {
    return findChild<QAction*>(name);
}

void Tchat::setHosting(TableHosting* hosting) {
    if (m_hosting) disconnect(m_hosting, nullptr, this, nullptr);
    m_hosting = hosting;
    m_transport->setHosting(hosting);
    if (hosting) {
        connect(hosting, &TableHosting::noticeRaised, this, &Tchat::hostNotice);
        // The router's answer, once, as one of the table's own lines; "ADDRESS:PORT" stays whole.
        connect(hosting, &TableHosting::reachReported, this, [this](const QString& sentence) {
            m_chat->addlinetochat("0+" + sentence.toStdString(), m_client->systemcolour(), false);
        });
    }
    m_menus->seatHold()->setHosting(hosting);
}

void Tchat::setAuxWindows(AuxWindows* windows) {
    // The menus and the adapters read this pointer as it is now; the window set calls this
    // again while it goes, after them.
    m_windows = windows;
}

void Tchat::setMessageBox(MessageBoxFn show) {
    m_presentation->setMessageBox(std::move(show));
}

void Tchat::showMessage(const QString& text) {
    m_presentation->showMessage(text);
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
            m_sound->windowShown();
            m_menusAdapter->windowFramed();
        });
        FormShow();
    }
}

void Tchat::FormShow() {
    m_client->processparams(m_options.params);
    m_presentation->syncSession();
    // A player may have several tables open through the lobby: a copy that joins carries the
    // player's name, so its window can be told from the others (hosting and solo keep theirs).
    if (!m_client->hosting() && !m_client->playername().empty()) {
        setWindowTitle(kCaption + QStringLiteral(" - ") + q(m_client->playername()));
        m_menus->seatHold()->setHostsTable(false);
    }
}

void Tchat::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (m_closing) return;
    m_closing = true;
    // FormClose: the placement is kept when it changed (and the settings have been read in
    // this run; otherwise the stored placement stays).
    const QRect work = screen() ? screen()->availableGeometry() : QRect(0, 0, width(), height());
    settings().closeWindow(placement(), work.width(), work.height());
    // Leaving the table: the host learns of it at once. A hosting copy takes its game host
    // with it, which closes everybody else's connection.
    m_client->windowClosing();
    m_transport->close();
    if (m_hosting) m_hosting->windowClosing();
}

// ---- settings ------------------------------------------------------------------------------

void Tchat::applySettings() {
    const core::Settings& st = settings();
    m_chat->setTextSize(st.textSize());
    // The place is taken from the file once; a reconnection's new login leaves the window
    // where the player has it now.
    if (!m_placed) {
        m_placed = true;
        WindowPlacer::place(*this, st.lastPlacement());
    }
    m_chat->setTextColour(st.textColour());
    for (int n = 1; n <= Tphrases::kPhraseCount; ++n) {
        const std::string& phrase = st.phrases()[static_cast<std::size_t>(n - 1)];
        if (!phrase.empty()) m_chat->setPhrase(n, q(phrase));
    }
    m_client->setRemindMe(st.remindMe());
    m_menus->applySettings();
    if (m_windows) m_windows->settingsLoaded();
    if (auto* speech = findChild<GameSpeech*>()) speech->settingsLoaded();
}

core::Placement Tchat::placement() const {
    return WindowPlacer::placement(*this);
}

} // namespace ui
