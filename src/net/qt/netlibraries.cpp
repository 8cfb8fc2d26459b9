// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt/netlibraries.h"

#include "net/qt/programmodules.h"

namespace ui {

const NetLibraries* netLibraries() {
    static const NetLibraries* const libraries = [] {
        using Entry = decltype(&bramblies_net_libraries_v1);
        auto entry = reinterpret_cast<Entry>(
            moduleEntry(QStringLiteral("bramblies_net"), kNetLibrariesEntry));
        return entry ? entry() : nullptr;
    }();
    return libraries;
}

} // namespace ui
