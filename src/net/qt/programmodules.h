// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own modules (bramblies_net, bramblies_sound, bramblies_speech): libraries opened
// when a feature is first used, so that what they link is not loaded at start. They are looked
// for beside the executable, then in ../lib/bramblies from it (installed: PREFIX/lib/bramblies
// beside PREFIX/games).
#include <QFunctionPointer>
#include <QString>

namespace ui {

// Opens the module NAME (no suffix) and returns its function ENTRY; null when no module of that
// name with that function is found. An opened module stays loaded for the life of the program.
QFunctionPointer moduleEntry(const QString& name, const char* entry);

// Whether the module NAME is there, without opening it.
bool moduleInstalled(const QString& name);

} // namespace ui
