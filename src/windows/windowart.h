// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures drawn at run time for the solo advert and the lobby window: dice on a green
// cloth with a caption, so the program ships no picture files for them.

#include <QPixmap>
#include <QSize>
#include <QString>

namespace ui {

// Dice thrown across a table cloth with a caption underneath.
QPixmap diceCloth(QSize size, const QString& caption, int seed);

} // namespace ui
