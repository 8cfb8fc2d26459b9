// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/linkopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

LinkOpener::Handler& LinkOpener::current() {
    static Handler handler = &LinkOpener::openWithDesktop;
    return handler;
}

bool LinkOpener::open(const QString& address) {
    if (address.trimmed().isEmpty()) return false;
    const Handler& handler = current();
    return handler ? handler(address) : false;
}

void LinkOpener::setHandler(Handler handler) {
    current() = std::move(handler);
}

void LinkOpener::resetHandler() {
    current() = &LinkOpener::openWithDesktop;
}

bool LinkOpener::openWithDesktop(const QString& address) {
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid() || url.isEmpty()) return false;
    QDesktopServices::openUrl(url);
    return true;
}

LinkOpener::ScopedHandler::ScopedHandler(Handler handler) : m_previous(std::move(current())) {
    current() = std::move(handler);
}

LinkOpener::ScopedHandler::~ScopedHandler() {
    current() = std::move(m_previous);
}

} // namespace ui
