// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the table client shows and plays: chat lines, sounds, message boxes, the board and its
// tumbling dice, and the window's closing. The window's presentation adapter implements it;
// tests implement it with a recording fake.

#include <cstdint>
#include <string>

namespace core {

class ClientPresentation {
public:
    virtual ~ClientPresentation() = default;

    // A chat line "<sender>+<body>" in a colour ($00BBGGRR layout).
    virtual void addlinetochat(const std::string& line, std::uint32_t colour) = 0;
    // The same for a line whose ":" belongs to its text rather than ending a head ("Dice
    // check: ..."): laid out like the table's other lines of its own.
    virtual void addPlainLine(const std::string& line, std::uint32_t colour) {
        addlinetochat(line, colour);
    }
    // A "CMD_chat" / "CMD_action" payload for the chat view to parse and show.
    virtual void chatrecieved(const std::string& payload) = 0;
    // A "CMD_playasound" payload (chatter sound).
    virtual void playasound(const std::string& payload) = 0;
    // A named sound cue ("dice", "turn", "entered", ...).
    virtual void playsounds(const std::string& cue) = 0;
    // A modal message box; must return once the user has dismissed it.
    virtual void messageBox(const std::string& text) = 0;
    // Closes the table window (which ends the program).
    virtual void closeWindow() = 0;
    // Something on the board changed; the view should redraw from the model.
    virtual void boardChanged() = 0;
    // Only the faces of the dice changed (a tick of the dice animation); a view may redraw
    // just the dice.
    virtual void diceChanged() { boardChanged(); }

    // The dice animation (500 ms; each tick calls TableClient::dicetimerTimer, which draws
    // new faces through diceChanged).
    virtual void startDiceAnimation() = 0;
    virtual void stopDiceAnimation() = 0;
};

} // namespace core
