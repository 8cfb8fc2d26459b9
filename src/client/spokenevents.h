// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The short sentences a player hears when "Speak Game Events" is on: what a sighted player
// learns from the board as each host message arrives. Whose turn it is, the faces of each
// roll, the category chosen, the score of a turn, bonus mode and the winner; chat lines too
// when asked for.
//
// The sentence is built after the message has been applied to the board, so names, faces and
// the winner's text are read from the board as it now stands.

#include "client/boardmodel.h"
#include "client/hostevents.h"

#include <string>

namespace core {

struct SpeechOptions {
    int myslot = 0;        // the local player's slot: their own events say "You"
    bool withChat = false; // speak received chat and action lines
};

// The sentence for one host message; empty when the message is not spoken or its fields do
// not read.
std::string spokenEvent(const HostEvent& event, const BoardModel& board,
                        const SpeechOptions& options);

} // namespace core
