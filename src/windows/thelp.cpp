// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/thelp.h"

#include "widgets/dialogkeys.h"

#include "widgets/boardpalette.h"
#include "widgets/tiledbackground.h"
#include "windows/sitelinks.h"

#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>

#include <array>

namespace ui {

namespace {

const char* const kCaption = "Bramblies - Help File";

const std::array<const char*, Thelp::kPages> kPageCaptions = {
    "Overview", "Connecting", "Game Play", "Scoring", "Fair Dice", "Documentation", "License"};

const char* const kOverview[] = {
    "Overview",
    "",
    "I found the instructions for Brambles on the internet. I thought it would be an ",
    "interesting addition to The Lobby.  While programming, I decided to add a few ",
    "twists to the game. I hope you enjoy it!",
    "",
    "I removed Brambles from The Lobby in 2009 and added it to my solo games ",
    "library. A player asked for it back in The Lobby so I added it back with the ",
    "new name Bramblies. ",
};

// Page 2 has three lines built from the configured addresses; they are marked here.
const char* const kMakerLine = "\x01";
const char* const kNetworkLine = "\x02";

const char* const kConnecting[] = {
    "Connecting",
    "",
    "Solo Games: To play a solo game, press the Start Game button. Solo ",
    "games can be played while offline.  Since the game is designed to be playing ",
    "online and uses the internet components, your firewall must grant the game ",
    "access to the internet.",
    "Multi-Player Games: You must connect to the Quar77 Gaming Lobby in order ",
    "to play multi-player games.  The Quar77 Lobby can be downloaded from ",
    kMakerLine,
    "",
    "If you find that no one can join a game you host, then please visit ",
    kNetworkLine,
    "configure your modem, router, and/or firewall to allow incoming connections ",
    "on port 7772.",
    "OR",
    "let another player host: in the lobby, pick a player whose games others can ",
    "already join and ask him to host. Players who only join a game need no ",
    "incoming connections at all.",
    "",
    "Note: If at any time the host (ussually the first player in the list) is ",
    "disconnected, all game play will end.",
};

const char* const kGamePlay[] = {
    "Game Play",
    "",
    "The object of the game is to score as many points for each category as ",
    "they can.",
    "",
    "Seven rounds are played to complete a game of Brambles. ",
    "",
    "Each turn, the player will roll the dice at least 3 times. On their first roll, ",
    "they should choose a category to shoot for. If they do not choose a ",
    "category on their first roll, they will automatically roll all five dice again. ",
    "Players are required to choose a category before they roll the dice for ",
    "the third time.",
    "",
    "NOTE: You only get ONE chance to select your category so choose it ",
    "wisely!",
    "",
    "Clicking on the dice will select that dice and you will not roll it the next roll. ",
    "You want to select all dice that match the category that you are shooting ",
    "for.",
    "",
    "You cannot choose the Bramble category. It will be the last category you ",
    "shot for unless you roll a bramble on the first roll for your turn. You ",
    "receive a 20 point bonus if you roll a bramble on your first roll.",
    "",
    "If by the end of your third roll all your dice are showing the number of the ",
    "selected category, then you will enter bonus mode. The game will ",
    "automatically keep rolling the dice as long as at least one die shows the ",
    "category number. You continue to receive points for the number that ",
    "matches the category number. When no dice are showing the category ",
    "number then the bonus mode ends. ",
    "",
    "The game is over when everyone has taken 7 turns. The player with the ",
    "highest score wins.",
};

const char* const kScoring[] = {
    "Scoring",
    "",
    "For the numbered categories, you receive the category number multiplied by ",
    "the number of times the dice showed that number.",
    "",
    "A Bramble is a straight. It is scored by adding up all the numbers on the dice. ",
    "A low bramble(1,2,3,4,5) is worth 15 points, a high bramble(2,3,4,5,6) is ",
    "worth 20 points.",
    "",
    "If your first roll is a straight, and you have not scored a Bramble, then you ",
    "will receive the points for the bramble plus a 20 point bonus.",
};

const char* const kFairDice[] = {
    "Fair Dice",
    "",
    "Every player at the table can check the dice of every game, ",
    "so nobody has to take the host's word that they were fair.",
    "",
    "When a game starts, the host picks a secret and sends ",
    "everybody a seal of it: a fingerprint that fits only that ",
    "secret but gives nothing of it away. Each player's game ",
    "answers with a random number of its own. All the dice of the ",
    "game are worked out from the secret and those numbers, so ",
    "neither the host nor any player can choose how they fall.",
    "",
    "When the game ends, the host shows the secret. Your game ",
    "checks that it fits the seal, works out every roll again and ",
    "tells you in the chat:",
    "\"Dice check: all N rolls of this game came from the sealed seed.\"",
    "If a roll does not match, a red line says which roll it was ",
    "and how it differs.",
    "",
    "If you joined during a game, your game checks the rolls you ",
    "saw. Players with an older version of the game play as ",
    "before; they just take no part in the check.",
};

const char* const kHistory[] = {
    "History",
    "",
    "Nov, 2011 - Version 1.0.2.7",
    "  -Changed name to Bramblies.",
    "  -Added Smiles",
    "  -Added Sounds",
    "  -Automatic date",
    "  -Changed game start wording",
    "  -Newcomers see eyes if needed",
    "  -Added Solo game form",
    "Aug 18, 2006 - Version 1.0.1.6",
    "  -Added red to some images",
    "  -Added Reset Tally button",
    "  -Fixed bug in justwatch",
    "Aug 11, 2006 - Version 1.0.0.5",
    "  -Added arrow image",
    "  -Added category label to status label",
    "Aug 9, 2006 - Version 1.0.0.4",
    "  -Fixed access error when disconnecting",
    "Aug 8, 2006 - Version 1.0.0.3",
    "",
    "2006 - First alpha release Version 1.",
};

const char* const kLicense[] = {
    "License",
    "",
    "Bramblies is free software: you can redistribute it and/or modify it under ",
    "the terms of the GNU General Public License as published by the Free Software ",
    "Foundation, either version 3 of the License, or (at your option) any later ",
    "version.",
    "",
    "Bramblies is distributed in the hope that it will be useful, but WITHOUT ANY ",
    "WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR ",
    "A PARTICULAR PURPOSE. See the GNU General Public License for more details: ",
    "https://www.gnu.org/licenses/gpl-3.0.html",
    "",
    "The game talks to other computers over the internet on port 7772 only while ",
    "you play. It sends your chosen name, your dice and your chat to the other ",
    "players at your table and nothing else.",
};

template <std::size_t N> QStringList toList(const char* const (&lines)[N]) {
    QStringList out;
    for (const char* line : lines) {
        if (line == kMakerLine)
            out << siteLinks().makerAddress;
        else if (line == kNetworkLine)
            out << siteLinks().networkAddress + QStringLiteral(" to find out how to ");
        else
            out << QString::fromLatin1(line);
    }
    return out;
}

QString buttonStyle() {
    using namespace BoardPalette;
    return QStringLiteral("QPushButton { background: %1; border: 1px solid %2; color: %2;"
                          " font-family: Arial; font-weight: bold; }"
                          "QPushButton:hover { background: %3; }"
                          "QPushButton:pressed { background: rgb(244,228,150); }")
        .arg(css(paleGold()), css(gold()), css(cream()));
}

} // namespace

QStringList Thelp::pageLines(int page) {
    switch (page) {
    case 1:
        return toList(kOverview);
    case 2:
        return toList(kConnecting);
    case 3:
        return toList(kGamePlay);
    case 4:
        return toList(kScoring);
    case 5:
        return toList(kFairDice);
    case 6:
        return toList(kHistory);
    case 7:
        return toList(kLicense);
    default:
        return {};
    }
}

QString Thelp::pageText(int page) {
    QString text;
    const QStringList lines = pageLines(page);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        text += lines[i];
        const bool goesOn =
            lines[i].endsWith(QLatin1Char(' ')) && i + 1 < lines.size() && !lines[i + 1].isEmpty();
        if (!goesOn && i + 1 < lines.size()) text += QLatin1Char('\n');
    }
    return text;
}

QString Thelp::pageCaption(int page) {
    if (page < 1 || page > kPages) return {};
    return QString::fromLatin1(kPageCaptions[static_cast<std::size_t>(page - 1)]);
}

Thelp::Thelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QString::fromLatin1(kCaption));
    setFixedSize(521, 422);
    TiledBackground::apply(this);

    auto* side = new QFrame(this);
    side->setObjectName(QStringLiteral("panel_side"));
    side->setGeometry(0, 0, 137, 422);
    side->setStyleSheet(
        QStringLiteral("#panel_side { background: %1; border-right: 1px solid %2; }")
            .arg(BoardPalette::css(BoardPalette::cream()),
                 BoardPalette::css(BoardPalette::gold())));

    int y = 12;
    for (int page = 1; page <= kPages; ++page) {
        auto* button = new QPushButton(pageCaption(page), side);
        button->setObjectName(QStringLiteral("SelButton%1").arg(page));
        button->setProperty("page", page);
        button->setGeometry(10, y, 117, 20);
        button->setStyleSheet(buttonStyle());
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QPushButton::clicked, this, &Thelp::SelButton1Click);
        y += 26;
    }
    auto* about = new QPushButton(QStringLiteral("About"), side);
    about->setObjectName(QStringLiteral("button_about"));
    about->setGeometry(10, y + 10, 117, 20);
    about->setStyleSheet(buttonStyle());
    about->setCursor(Qt::PointingHandCursor);
    connect(about, &QPushButton::clicked, this, &Thelp::button_aboutClick);

    m_credits = new QLabel(side);
    m_credits->setObjectName(QStringLiteral("label_credits"));
    m_credits->setGeometry(6, y + 44, 125, 110);
    m_credits->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_credits->setWordWrap(true);
    m_credits->setStyleSheet(QStringLiteral("color: rgb(120,100,20); font-size: 10px;"));

    auto* done = new QPushButton(QStringLiteral("Done"), side);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry(10, 422 - 34, 117, 22);
    done->setStyleSheet(buttonStyle());
    connect(done, &QPushButton::clicked, this, &Thelp::button_doneClick);
    // Escape is Done, as in the program's other small windows.
    DialogKeys::install(this, nullptr, done);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("label_title"));
    m_title->setGeometry(145, 8, 368, 24);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setStyleSheet(
        QStringLiteral("background: %1; border: 1px solid %2; color: rgb(140,115,10);"
                       " font-family: Arial; font-weight: bold; font-size: 14px;")
            .arg(BoardPalette::css(BoardPalette::paleGold()),
                 BoardPalette::css(BoardPalette::gold())));

    m_pages = new QStackedWidget(this);
    m_pages->setGeometry(145, 38, 368, 376);
    for (int page = 1; page <= kPages; ++page) {
        auto* text = new QPlainTextEdit(m_pages);
        text->setObjectName(QStringLiteral("page_%1").arg(page));
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setStyleSheet(QStringLiteral("QPlainTextEdit { background: %1; border: 1px solid %2;"
                                           " font-family: Arial; font-size: 11px; color: black; }")
                                .arg(BoardPalette::css(BoardPalette::cream()),
                                     BoardPalette::css(BoardPalette::gold())));
        text->document()->setDocumentMargin(5);
        text->setPlainText(pageText(page));
        m_pages->addWidget(text);
    }
    FormCreate();
}

void Thelp::FormCreate() {
    showPage(1);
    m_credits->setText(creditsText(QDate::currentDate().year()));
}

void Thelp::showPage(int page) {
    if (page < 1 || page > kPages) return;
    m_pages->setCurrentIndex(page - 1);
    m_title->setText(pageCaption(page));
}

int Thelp::currentPage() const {
    return m_pages->currentIndex() + 1;
}

QString Thelp::title() const {
    return m_title->text();
}

void Thelp::SelButton1Click() {
    auto* button = qobject_cast<QPushButton*>(sender());
    if (!button) return;
    showPage(button->property("page").toInt());
}

void Thelp::button_aboutClick() {
    emit aboutRequested();
}

void Thelp::button_doneClick() {
    hide();
}

} // namespace ui
