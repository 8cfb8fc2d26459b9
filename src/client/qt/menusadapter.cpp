// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/menusadapter.h"

#include "client/qt/auxwindows.h"
#include "client/qt/tablemenus.h"

#include <QAction>
#include <QWidget>

#include <utility>

namespace ui {

MenusAdapter::MenusAdapter(QWidget& window, AuxWindows* const& windows)
    : QObject(&window), m_window(window), m_windows(windows) {}

void MenusAdapter::windowFramed() {
    m_framed = true;
    if (std::exchange(m_downloadDue, false) && m_windows) {
        m_windows->showDownload();
        m_window.activateWindow(); // the keyboard stays with the table
    }
}

void MenusAdapter::showLobbyDownload() {
    if (!m_framed) {
        m_downloadDue = true;
        return;
    }
    if (m_windows) m_windows->showDownload();
}

void MenusAdapter::showGameOptions() {
    if (m_windows) m_windows->showGameOptions();
}

void MenusAdapter::addSpectator(const core::Spectator& spectator) {
    // The client has written the chat line already.
    if (m_windows) m_windows->spectatorAdded(spectator);
}

void MenusAdapter::removeSpectator(const core::Spectator& spectator) {
    if (m_windows) m_windows->spectatorRemoved(spectator);
}

void MenusAdapter::setStartGameEnabled(bool enabled) {
    m_menus->startGame()->setEnabled(enabled);
}

void MenusAdapter::setJustWatchChecked(bool checked) {
    m_menus->justWatch()->setChecked(checked);
}

void MenusAdapter::setSpyRemoveEnabled(bool enabled) {
    if (m_windows) m_windows->setSpyRemoveEnabled(enabled);
}

} // namespace ui
