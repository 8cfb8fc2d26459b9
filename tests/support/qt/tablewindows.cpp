// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/tablewindows.h"

#include "app/qt/auxwindowset.h"
#include "app/qt/hostingcopy.h"
#include "chat/chatmodel.h"
#include "chat/qt/chatpanel.h"
#include "chat/qt/chatview.h"
#include "chat/qt/settingslocation.h"
#include "client/qt/boardview.h"
#include "client/qt/tchat.h"

#include <QFileInfo>
#include <QLabel>
#include <QTcpServer>
#include <QTest>

namespace testsupport {

ui::AuxWindowSet& auxWindows(ui::Tchat& window) {
    if (auto* set = dynamic_cast<ui::AuxWindowSet*>(window.auxWindows())) return *set;
    return *new ui::AuxWindowSet(window,
                                 QFileInfo(ui::SettingsLocation::filePath()).absolutePath());
}

ui::HostingCopy& hosting(ui::Tchat& window, const ui::TableReachOptions& reach) {
    if (auto* copy = dynamic_cast<ui::HostingCopy*>(window.hosting())) return *copy;
    return *new ui::HostingCopy(window, reach);
}

quint16 freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    return probe.serverPort();
}

QStringList chatText(const ui::Tchat& window) {
    QStringList out;
    for (const core::ChatLine& line : window.chat()->view()->model().lines()) {
        QString text;
        for (const core::ChatItem& item : line.items)
            text += QString::fromStdString(item.text);
        out << text.simplified(); // the head keeps its own space before the first word
    }
    return out;
}

bool chatHas(const ui::Tchat& window, const QString& text) {
    return chatText(window).contains(text);
}

bool clickBoard(ui::Tchat& window, const QString& name) {
    auto* w = window.board()->findChild<QWidget*>(name);
    if (!w || !w->isVisibleTo(window.board())) return false;
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    return true;
}

QString boardText(const ui::Tchat& window, const QString& name) {
    auto* label = window.board()->findChild<QLabel*>(name);
    return label ? label->text() : QString();
}

bool boardShows(const ui::Tchat& window, const QString& name) {
    auto* w = window.board()->findChild<QWidget*>(name);
    return w && w->isVisibleTo(window.board());
}

void saveShot(QWidget& window, const QString& name) {
    const QString dir = qEnvironmentVariable("BRAMBLIES_SHOTS");
    if (dir.isEmpty()) return;
    window.grab().save(dir + "/" + name + ".png");
}

} // namespace testsupport
