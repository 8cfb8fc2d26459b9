// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chatter-sound menu `popup_sounds` that the tenth phrase button opens: "<Cancel>", then
// the items `wave1` to `wave20` with their captions as text and tooltip. Choosing a sound
// sends "CMD_playasound" for everybody at the table to hear, but only from a player who is
// logged in on a seat; spectators and players not yet let in send nothing.

#include <QMenu>

#include <functional>

class QAction;

namespace ui {

class ChatterSoundMenu : public QMenu {
    Q_OBJECT
public:
    struct Session {
        bool loggedin = false;
        int myslot = 0;
    };
    using SessionSource = std::function<Session()>;

    explicit ChatterSoundMenu(QWidget* parent = nullptr);

    // Asked at each choice for the client's `loggedin` and `myslot`.
    void setSessionSource(SessionSource source) { m_session = std::move(source); }

    // Opens the menu at the lower right corner of button (the tenth phrase button).
    void popupAt(QWidget* button);

    // The item with value k was chosen (0 is "<Cancel>").
    void wave20Click(int k);

    // The action of item k (0 is "<Cancel>"), for tests and for wiring.
    QAction* item(int k) const;

signals:
    // A message to send to the host, without the terminator byte (like the chat panel's
    // sendRequested, so both can go to the same sender).
    void sendRequested(const QString& message);

private:
    SessionSource m_session;
};

} // namespace ui
