// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/recordsadapter.h"

#include "chat/colourtext.h"
#include "chat/settings.h"
#include "client/clientpresentation.h"
#include "client/qt/auxwindows.h"
#include "client/tableclient.h"

namespace ui {

RecordsAdapter::RecordsAdapter(std::filesystem::path settingsFile,
                               core::ClientPresentation& presentation, AuxWindows* const& windows,
                               QObject* parent)
    : QObject(parent), m_settings(std::make_unique<core::Settings>(std::move(settingsFile))),
      m_presentation(presentation), m_windows(windows) {}

RecordsAdapter::~RecordsAdapter() = default;

void RecordsAdapter::loadSettings() {
    m_settings->loadinifile();
    emit settingsLoaded();
    if (auto notice = m_settings->takeNotice())
        m_presentation.addlinetochat("0+" + *notice, core::kSystemColour);
}

void RecordsAdapter::writeSettings() {
    // The client asks for this after the reminder switch changed.
    m_settings->setRemindMe(m_client->remindMe());
}

void RecordsAdapter::addtomineincrease(int column) {
    if (m_windows) m_windows->addtomineincrease(column);
}

void RecordsAdapter::recordGame(bool localWon, const std::string& winnersText,
                                const std::string& myTotal) {
    if (m_windows)
        m_windows->recordGame(localWon, QString::fromStdString(winnersText),
                              QString::fromStdString(myTotal));
}

} // namespace ui
