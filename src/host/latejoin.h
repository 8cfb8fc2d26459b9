#pragma once
// The two catch-up messages a client gets when it logs in while a game runs: the state of the
// current turn and the whole score sheet, built from the host's live state.

#include "host/hoststate.h"

#include <string>

namespace core {

// "CMD_loadstats": slot, current seat, bonus-roll limit, the current seat's rolls, round, its
// working category, then the five dice as die/face pairs.
std::string loadstatsMessage(const HostState& state, int slot);

// "CMD_loadscores": slot, then for seats 1..6 one field "seat*t|f*1*s1*...*7*s7*8*total".
std::string loadscoresMessage(const HostState& state, int slot);

} // namespace core
