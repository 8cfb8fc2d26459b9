// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/tablemenus.h"

#include "chat/qt/chatpanel.h"
#include "chat/settings.h"
#include "client/qt/auxwindows.h"
#include "client/qt/coachmenu.h"
#include "client/qt/seatholdoption.h"
#include "client/qt/windowplacer.h"
#include "client/tableclient.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include <utility>

namespace ui {

TableMenus::TableMenus(QMainWindow& window, core::TableClient& client, core::Settings& settings,
                       ChatPanel& chat, AuxWindows* const& windows)
    : QObject(&window), m_window(window), m_client(client), m_settings(settings), m_chat(chat),
      m_windows(windows) {
    buildFile();
    buildOptions();
    buildView();
    buildHelp();
    // F10 opens the menu bar, as in most desktop programs; Alt+letter opens one menu.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), &m_window);
    connect(menuKey, &QShortcut::activated, this,
            [this] { m_window.menuBar()->setActiveAction(m_file->menuAction()); });
}

QAction* TableMenus::addItem(QMenu* menu, const QString& text, const char* name, bool enabled) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(enabled);
    return a;
}

void TableMenus::withWindows(void (AuxWindows::*show)()) {
    if (m_windows) (m_windows->*show)();
}

void TableMenus::addSpeechItems(QAction* events, QAction* chat) {
    m_options->insertActions(m_remindMe, {events, chat});
    m_options->setToolTipsVisible(true);
}

void TableMenus::buildFile() {
    QMenu* file = m_window.menuBar()->addMenu(tr("&File"));
    m_file = file;
    file->setObjectName(QStringLiteral("File1"));
    m_startGame = addItem(file, tr("&Start Game"), "StartGame1", false);
    // A new game, as desktop games have it.
    m_startGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    // The client redraws the board itself when the click changes it.
    connect(m_startGame, &QAction::triggered, this, [this] { m_client.button_startClick(); });
    QAction* exit = addItem(file, tr("E&xit"), "Exit1");
    connect(exit, &QAction::triggered, &m_window, &QWidget::close);
}

void TableMenus::buildOptions() {
    QMenu* options = m_window.menuBar()->addMenu(tr("&Options"));
    m_options = options;
    options->setObjectName(QStringLiteral("Options1"));
    m_playSounds = addItem(options, tr("Play Sounds"), "PlaySounds1");
    m_playSounds->setCheckable(true);
    m_playSounds->setChecked(true);
    connect(m_playSounds, &QAction::triggered, this,
            [this](bool on) { m_settings.setPlaySounds(on); });
    m_playChatter = addItem(options, tr("Play Chatter Sounds"), "PlayChatterSounds1");
    m_playChatter->setCheckable(true);
    m_playChatter->setChecked(true);
    connect(m_playChatter, &QAction::triggered, this,
            [this](bool on) { m_settings.setPlayChatterSounds(on); });

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
    connect(m_classic, &QAction::triggered, this, [this] { m_settings.setTurnSound(0); });
    connect(m_newTurnSound, &QAction::triggered, this, [this] { m_settings.setTurnSound(1); });

    m_remindMe = addItem(options, tr("Remind Me to Select a Category"), "remindme1");
    m_remindMe->setCheckable(true);
    m_remindMe->setChecked(m_client.remindMe());
    connect(m_remindMe, &QAction::triggered, this, [this] {
        m_client.remindme1Click();
        m_remindMe->setChecked(m_client.remindMe());
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
        connect(a, &QAction::triggered, this, [this, ms = ms] { m_settings.setBotSpeed(ms); });
    }
    m_normal->setChecked(true);

    QAction* textColor = m_chat.textColorAction();
    textColor->setObjectName(QStringLiteral("TextColor1"));
    options->addAction(textColor);
    QMenu* textSize = m_chat.textSizeMenu();
    textSize->setObjectName(QStringLiteral("TextSize1"));
    for (QAction* a : textSize->actions())
        a->setObjectName(QStringLiteral("N") + a->text());
    options->addMenu(textSize);
    QAction* scrollOff = m_chat.scrollChatOffAction();
    scrollOff->setObjectName(QStringLiteral("ScrollChatOff1"));
    options->addAction(scrollOff);
    QAction* clear = m_chat.clearMainChatAction();
    clear->setObjectName(QStringLiteral("ClearMainChat1"));
    options->addAction(clear);
    QAction* reset = addItem(options, tr("Reset Screen Location"), "ResetScreenLocation1");
    connect(reset, &QAction::triggered, this, &TableMenus::ResetScreenLocation1Click);
    m_justWatch = addItem(options, tr("Just Watch"), "JustWatch1");
    m_justWatch->setCheckable(true);
    connect(m_justWatch, &QAction::triggered, this, [this] {
        // The mark follows the host's answer, not the click.
        m_justWatch->setChecked(m_client.justWatchChecked());
        m_client.JustWatch1Click();
    });

    // The coach's note is shown over the window's dice.
    m_coachMenu = new CoachMenu(m_file, options, m_settings, m_client, &m_window);
    m_seatHold = new SeatHoldOption(options, m_settings, this);
}

void TableMenus::buildView() {
    QMenu* view = m_window.menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("View1"));
    QAction* viewTally = addItem(view, tr("View Tally"), "ViewTally1");
    connect(viewTally, &QAction::triggered, this, [this] { withWindows(&AuxWindows::viewTally); });
    QAction* spies = addItem(view, tr("Spy List"), "SpyList1");
    connect(spies, &QAction::triggered, this, [this] { withWindows(&AuxWindows::showSpyList); });
    QAction* phrases = addItem(view, tr("Phrase List"), "PrhaseList1");
    connect(phrases, &QAction::triggered, this, [this] { withWindows(&AuxWindows::showPhrases); });
}

void TableMenus::buildHelp() {
    QMenu* help = m_window.menuBar()->addMenu(tr("&Help"));
    m_help = help;
    help->setObjectName(QStringLiteral("Help1"));
    QAction* content = addItem(help, tr("&Content"), "Help2");
    content->setShortcut(QKeySequence(Qt::Key_F1));
    connect(content, &QAction::triggered, this, [this] { withWindows(&AuxWindows::showHelp); });
    QAction* aboutItem = addItem(help, tr("&About"), "About1");
    connect(aboutItem, &QAction::triggered, this, [this] { withWindows(&AuxWindows::showAbout); });

    // A top-level item without a menu of its own.
    QAction* soloItem = m_window.menuBar()->addAction(tr("Check out Brambles Solo!"));
    soloItem->setObjectName(QStringLiteral("CheckoutBramblesSolo1"));
    connect(soloItem, &QAction::triggered, this, [this] { withWindows(&AuxWindows::showSolo); });
}

void TableMenus::applySettings() {
    const core::Settings& st = m_settings;
    m_slow->setChecked(st.botSpeed() == core::Settings::kBotSlow);
    m_fast->setChecked(st.botSpeed() == core::Settings::kBotFast);
    m_normal->setChecked(st.botSpeed() != core::Settings::kBotSlow &&
                         st.botSpeed() != core::Settings::kBotFast);
    m_playSounds->setChecked(st.playSounds());
    m_remindMe->setChecked(st.remindMe());
    (st.turnSound() == 1 ? m_newTurnSound : m_classic)->setChecked(true);
    m_playChatter->setChecked(st.playChatterSounds());
    m_coachMenu->applySettings();
    m_seatHold->applySettings();
}

void TableMenus::ResetScreenLocation1Click() {
    // Stored by the close rule, not at once.
    WindowPlacer::place(m_window, core::Placement{});
}

} // namespace ui
