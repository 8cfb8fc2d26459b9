// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/presentationadapter.h"

#include "chat/qt/chatpanel.h"
#include "chat/qt/soundplayer.h"
#include "client/qt/boardview.h"
#include "client/qt/diceanimation.h"
#include "client/tableclient.h"

#include <QMessageBox>
#include <QWidget>

namespace ui {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

PresentationAdapter::PresentationAdapter(QWidget& window) : QObject(&window), m_window(window) {
    m_messageBox = [this](const QString& text) {
        QMessageBox::information(&m_window, m_window.windowTitle(), text);
    };
}

void PresentationAdapter::attach(core::TableClient& client, BoardView& board, ChatPanel& chat,
                                 SoundPlayer& sound) {
    m_client = &client;
    m_board = &board;
    m_chat = &chat;
    m_sound = &sound;
    m_dice = new DiceAnimation(client, this);
}

void PresentationAdapter::showMessage(const QString& text) {
    if (m_messageBox) m_messageBox(text);
}

void PresentationAdapter::syncSession() {
    m_chat->setSession(m_client->loggedin(), m_client->myslot());
}

void PresentationAdapter::addlinetochat(const std::string& line, std::uint32_t colour) {
    m_chat->addlinetochat(line, colour);
}

void PresentationAdapter::addPlainLine(const std::string& line, std::uint32_t colour) {
    m_chat->addlinetochat(line, colour, false);
}

void PresentationAdapter::chatrecieved(const std::string& payload) {
    m_chat->chatrecieved(payload);
}

void PresentationAdapter::playasound(const std::string& payload) {
    if (const std::optional<QString> line = m_sound->playasound(q(payload)))
        addlinetochat(line->toStdString(), m_client->systemcolour());
}

void PresentationAdapter::playsounds(const std::string& cue) {
    m_sound->playsounds(q(cue));
}

void PresentationAdapter::messageBox(const std::string& text) {
    showMessage(q(text));
}

void PresentationAdapter::closeWindow() {
    // Asked for from inside a message handler; close once that handler has returned.
    QMetaObject::invokeMethod(&m_window, &QWidget::close, Qt::QueuedConnection);
}

void PresentationAdapter::boardChanged() {
    m_board->refresh();
    syncSession();
}

void PresentationAdapter::diceChanged() {
    m_board->refreshDice();
}

void PresentationAdapter::startDiceAnimation() {
    m_dice->start();
}

void PresentationAdapter::stopDiceAnimation() {
    m_dice->stop();
}

} // namespace ui
