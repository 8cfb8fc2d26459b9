// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/lobbychat.h"

#include "chat/chatmodel.h"
#include "chat/qt/chatview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace lobby {

namespace {

// Dark enough to read on white; style 0 is kept for the lobby's own notices.
constexpr std::array<std::uint32_t, core::kLineStyleCount - 1> kColours = {
    0x0000A0, 0x008000, 0x800080, 0xA05000, 0x006080, 0x800000, 0x405000,
    0x5030A0, 0x007050, 0xA00060, 0x305070, 0x606000, 0x703030, 0x204080};
constexpr std::uint32_t kNoticeColour = 0x606060;
constexpr std::size_t kMaxShown = 2000; // bytes of one line drawn

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    if (text.size() > kMaxShown) text.resize(kMaxShown);
    return text;
}

} // namespace

LobbyChat::LobbyChat(QWidget* parent) : QWidget(parent) {
    m_view = new ui::ChatView;
    m_view->setObjectName(QStringLiteral("lobbychat"));
    m_view->setAccessibleName(tr("Lobby chat"));
    m_view->setMinimumHeight(120);
    m_entry = new QLineEdit;
    m_entry->setObjectName(QStringLiteral("edit_say"));
    m_entry->setAccessibleName(tr("Say in the lobby"));
    m_entry->setMaxLength(kMaxSay);
    m_send = new QPushButton(tr("Sen&d"));
    m_send->setObjectName(QStringLiteral("button_say"));
    m_send->setAccessibleName(tr("Send the line to the lobby"));
    auto* say = new QLabel(tr("Sa&y:"));
    say->setBuddy(m_entry);

    auto* row = new QHBoxLayout;
    row->addWidget(say);
    row->addWidget(m_entry, 1);
    row->addWidget(m_send);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    layout->addLayout(row);

    connect(m_entry, &QLineEdit::returnPressed, this, &LobbyChat::send);
    connect(m_send, &QPushButton::clicked, this, &LobbyChat::send);
    setOpen(false);
}

int LobbyChat::styleFor(const std::string& nick) {
    auto it = m_styles.find(nick);
    if (it != m_styles.end()) return it->second;
    // Styles are handed out in turn; past fourteen people they are shared.
    const int style = 1 + static_cast<int>(m_styles.size() % kColours.size());
    if (m_styles.size() < 4096) m_styles.emplace(nick, style);
    return style;
}

void LobbyChat::addLine(const std::string& nick, const std::string& text) {
    const int style = styleFor(nick);
    const std::string line = std::to_string(style) + "+" + oneLine(nick) + ": " + oneLine(text);
    m_view->addlinetochat(line, kColours[static_cast<std::size_t>(style - 1)]);
}

void LobbyChat::addNotice(const QString& text) {
    m_view->addlinetochat("0+" + oneLine(text.toStdString()), kNoticeColour, false);
}

void LobbyChat::setTextSize(int points) {
    m_view->setTextSize(points);
}

void LobbyChat::setOpen(bool open) {
    m_entry->setEnabled(open);
    m_send->setEnabled(open);
}

void LobbyChat::send() {
    const QString text = m_entry->text().trimmed();
    if (text.isEmpty() || !m_entry->isEnabled()) return;
    m_entry->clear();
    emit said(text);
}

} // namespace lobby
