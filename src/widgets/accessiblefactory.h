// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Installs the accessibility interfaces of the board's painted controls (dice, category
// tiles, seat labels, rolls indicator, marks, score sheet) with Qt. Safe to call more than
// once; the board calls it when it is made.
namespace ui {
void installAccessibleFactory();
}
