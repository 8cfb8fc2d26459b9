// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The host's table as the local network sees it: who hosts, how many sit and watch, how many
// seats are free and whether a game runs.

#include "host/hoststate.h"
#include "net/tableannouncement.h"

namespace core {

TableAnnouncement summariseTable(const HostState& state);

} // namespace core
