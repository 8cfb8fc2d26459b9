#include "net/qt/netlibraries.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QString>

namespace ui {

namespace {

const NetLibraries* load() {
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& path : {dir + QStringLiteral("/bramblies_net"),
                                dir + QStringLiteral("/../lib/bramblies/bramblies_net")}) {
        QLibrary module(path);
        if (!module.load()) continue;
        using Entry = decltype(&bramblies_net_libraries_v1);
        if (auto entry = reinterpret_cast<Entry>(module.resolve(kNetLibrariesEntry)))
            return entry(); // the module stays loaded for the life of the program
        module.unload();
    }
    return nullptr;
}

} // namespace

const NetLibraries* netLibraries() {
    static const NetLibraries* const libraries = load();
    return libraries;
}

} // namespace ui
