// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table client's presentation (core::ClientPresentation) in the window: chat lines in the
// chat panel, sounds through the sound player, message boxes, the board redrawn from the
// model, the dice animation, and the window's closing.
//
// Message boxes ("Game is full", "You are not connected", "Cannot open Webpage") go through a
// function the window can replace, so tests can take them without blocking.

#include "client/clientpresentation.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace core {
class TableClient;
}

namespace ui {

class BoardView;
class ChatPanel;
class DiceAnimation;
class SoundPlayer;

class PresentationAdapter : public QObject, public core::ClientPresentation {
    Q_OBJECT
public:
    using MessageBoxFn = std::function<void(const QString&)>;

    // window: the table window, which message boxes stand over and closeWindow() closes.
    explicit PresentationAdapter(QWidget& window);

    // What it shows on, made once the client is (which is built on this adapter): the board
    // and chat of the window, its sound player, and the client whose dice tumble.
    void attach(core::TableClient& client, BoardView& board, ChatPanel& chat, SoundPlayer& sound);

    void setMessageBox(MessageBoxFn show) { m_messageBox = std::move(show); }
    void showMessage(const QString& text);
    DiceAnimation* diceAnimation() const { return m_dice; }
    // The chat learns who we are at the table (for its sender number).
    void syncSession();

    // core::ClientPresentation
    void addlinetochat(const std::string& line, std::uint32_t colour) override;
    void addPlainLine(const std::string& line, std::uint32_t colour) override;
    void chatrecieved(const std::string& payload) override;
    void playasound(const std::string& payload) override;
    void playsounds(const std::string& cue) override;
    void messageBox(const std::string& text) override;
    void closeWindow() override;
    void boardChanged() override;
    void diceChanged() override;
    void startDiceAnimation() override;
    void stopDiceAnimation() override;

private:
    QWidget& m_window;
    MessageBoxFn m_messageBox;
    const core::TableClient* m_client = nullptr;
    BoardView* m_board = nullptr;
    ChatPanel* m_chat = nullptr;
    SoundPlayer* m_sound = nullptr;
    DiceAnimation* m_dice = nullptr;
};

} // namespace ui
