// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message catalogue: one record per message of the game protocol, each naming its command
// word, its fields, its builder and its reader, grouped by direction:
//
//   net/tohost.h    what the tables send; the host reads it strictly       (msg::toHost::...)
//   net/toclient.h  what the host sends; the tables read it tolerantly     (msg::toClient::...)
//   net/catalogue.h the field types they share and the dispatch-table rows
//
// kToHost and kToClient list each direction's words, taken from the records; each side's
// dispatch table handles every word of its direction exactly once (coversExactly, checked when
// it compiles).

#include "net/toclient.h"
#include "net/tohost.h"
