// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt/programmodules.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace ui {

namespace {

QStringList candidates(const QString& name) {
    const QString dir = QCoreApplication::applicationDirPath();
    return {dir + QLatin1Char('/') + name, dir + QStringLiteral("/../lib/bramblies/") + name};
}

} // namespace

QFunctionPointer moduleEntry(const QString& name, const char* entry) {
    for (const QString& path : candidates(name)) {
        QLibrary module(path);
        if (!module.load()) continue;
        if (QFunctionPointer f = module.resolve(entry)) return f;
        module.unload();
    }
    return nullptr;
}

bool moduleInstalled(const QString& name) {
    for (const QString& path : candidates(name))
        if (QFileInfo::exists(path + QStringLiteral(".so"))) return true;
    return false;
}

} // namespace ui
