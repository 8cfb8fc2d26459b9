#include "client/qt/tchat.h"

#include "chat/qt/chatpanel.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace ui {

const QString Tchat::kCaption = QStringLiteral("Bramblies");

Tchat::Tchat(TchatOptions options, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)) {
    setObjectName(QStringLiteral("Tchat"));
    setWindowTitle(kCaption);
    m_messageBox = [this](const QString& text) { QMessageBox::information(this, kCaption, text); };

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("tablearea"));
    m_boardArea = new QWidget(central);
    m_chat = new ChatPanel(central);
    m_chat->setMessageBox([this](const QString& text) { messageBox(text); });
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    layout->addWidget(m_boardArea, 55);
    layout->addWidget(m_chat, 45);
    setCentralWidget(central);

    buildMenus();
    resize(kDefaultWidth, kDefaultHeight);
}

Tchat::~Tchat() = default;

void Tchat::setMessageBox(MessageBoxFn show) { m_messageBox = std::move(show); }

void Tchat::messageBox(const QString& text) {
    if (m_messageBox) m_messageBox(text);
}

QAction* Tchat::addItem(QMenu* menu, const QString& text, const char* name, bool enabled) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(enabled);
    return a;
}

void Tchat::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(tr("File"));
    file->setObjectName(QStringLiteral("File1"));
    addItem(file, tr("Start Game"), "StartGame1", false);
    QAction* exit = addItem(file, tr("Exit"), "Exit1");
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* options = bar->addMenu(tr("Options"));
    options->setObjectName(QStringLiteral("Options1"));
    QAction* sounds = addItem(options, tr("Play Sounds"), "PlaySounds1", false);
    sounds->setCheckable(true);
    sounds->setChecked(true);
    QAction* chatter = addItem(options, tr("Play Chatter Sounds"), "PlayChatterSounds1", false);
    chatter->setCheckable(true);
    chatter->setChecked(true);

    QMenu* turnSound = options->addMenu(tr("Turn Sound"));
    turnSound->setObjectName(QStringLiteral("TurnSound1"));
    auto* turnGroup = new QActionGroup(this);
    QAction* classic = addItem(turnSound, tr("Classic"), "Classic1", false);
    QAction* newSound = addItem(turnSound, tr("New"), "New1", false);
    for (QAction* a : {classic, newSound}) {
        a->setCheckable(true);
        turnGroup->addAction(a);
    }
    classic->setChecked(true);

    QAction* remind = addItem(options, tr("Remind Me to Select a Category"), "remindme1", false);
    remind->setCheckable(true);
    remind->setChecked(true);

    QMenu* botSpeed = options->addMenu(tr("Bot Speed"));
    botSpeed->setObjectName(QStringLiteral("BotSpeed1"));
    auto* botGroup = new QActionGroup(this);
    QAction* slow = addItem(botSpeed, tr("Slow"), "Slow1", false);
    QAction* normal = addItem(botSpeed, tr("Normal"), "Normal1", false);
    QAction* fast = addItem(botSpeed, tr("Fast"), "Fast1", false);
    for (QAction* a : {slow, normal, fast}) {
        a->setCheckable(true);
        botGroup->addAction(a);
    }
    normal->setChecked(true);

    QAction* textColor = m_chat->textColorAction();
    textColor->setObjectName(QStringLiteral("TextColor1"));
    options->addAction(textColor);
    QMenu* textSize = m_chat->textSizeMenu();
    textSize->setObjectName(QStringLiteral("TextSize1"));
    for (QAction* a : textSize->actions()) a->setObjectName(QStringLiteral("N") + a->text());
    options->addMenu(textSize);
    QAction* scrollOff = m_chat->scrollChatOffAction();
    scrollOff->setObjectName(QStringLiteral("ScrollChatOff1"));
    options->addAction(scrollOff);
    QAction* clear = m_chat->clearMainChatAction();
    clear->setObjectName(QStringLiteral("ClearMainChat1"));
    options->addAction(clear);
    addItem(options, tr("Reset Screen Location"), "ResetScreenLocation1", false);
    QAction* justWatch = addItem(options, tr("Just Watch"), "JustWatch1", false);
    justWatch->setCheckable(true);

    QMenu* view = bar->addMenu(tr("View"));
    view->setObjectName(QStringLiteral("View1"));
    addItem(view, tr("View Tally"), "ViewTally1", false);
    addItem(view, tr("Spy List"), "SpyList1", false);
    addItem(view, tr("Phrase List"), "PrhaseList1", false);

    QMenu* help = bar->addMenu(tr("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* content = addItem(help, tr("Content"), "Help2", false);
    content->setShortcut(QKeySequence(Qt::Key_F1));
    addItem(help, tr("About"), "About1", false);

    // A top-level item without a menu of its own.
    QAction* solo = bar->addAction(tr("Check out Brambles Solo!"));
    solo->setObjectName(QStringLiteral("CheckoutBramblesSolo1"));
    solo->setEnabled(false);
}

} // namespace ui
