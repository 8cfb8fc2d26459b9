// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/appidentity.h"

#include "app/buildinfo.h"
#include "app/qt/pngsizesiconengine.h"

#include <QApplication>
#include <QIcon>

// The icon lives in a static library, whose resources are linked in only when asked for (and
// the macro must stand outside any namespace).
static void initIconResource() {
    Q_INIT_RESOURCE(icon);
}

namespace ui {

void applyAppIdentity() {
    initIconResource();
    QGuiApplication::setApplicationVersion(QString::fromLatin1(app::kProgramVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(app::kAppId));
}

void applyWindowIcon() {
    // Up to 256 px: no window manager draws a window's icon larger, and the 512 px render
    // alone would be three quarters of the pixels to decode and send to the display (the
    // launcher takes its icon from the installed icon theme, in every size).
    QApplication::setWindowIcon(QIcon(new PngSizesIconEngine(
        QStringLiteral(":/icon/bramblies-%1.png"), {16, 24, 32, 48, 64, 128, 256})));
}

} // namespace ui
