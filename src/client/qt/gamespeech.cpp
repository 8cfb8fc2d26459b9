// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/gamespeech.h"

#include "chat/settings.h"
#include "client/qt/speechsink.h"
#include "client/spokenevents.h"
#include "client/tableclient.h"

#include <QAction>

namespace ui {

const QString GameSpeech::kSwitchText = QStringLiteral("Speak Game Events");
const QString GameSpeech::kChatText = QStringLiteral("Speak Chat Lines");

GameSpeech::GameSpeech(const core::TableClient& client, core::Settings& settings, SpeechSink& sink,
                       QObject* parent)
    : QObject(parent), m_client(client), m_settings(settings), m_sink(sink),
      m_action(new QAction(kSwitchText, this)), m_chatAction(new QAction(kChatText, this)) {
    m_action->setObjectName(QStringLiteral("SpeakGameEvents1"));
    m_action->setCheckable(true);
    m_action->setToolTip(tr("Speak whose turn it is, each roll, the category chosen, the "
                            "scores and the winner"));
    m_action->setChecked(m_settings.speakEvents());
    connect(m_action, &QAction::triggered, this, [this](bool on) {
        m_settings.setSpeakEvents(on);
        m_chatAction->setEnabled(on);
        if (!on) return;
        // An engine that fails to start only shows it once asked to speak; then the tick
        // is taken back, as nothing will be spoken.
        m_sink.say(kSwitchText);
        if (!m_sink.unavailableReason().isEmpty()) m_settings.setSpeakEvents(false);
        checkSink();
    });

    m_chatAction->setObjectName(QStringLiteral("SpeakChatLines1"));
    m_chatAction->setCheckable(true);
    m_chatAction->setToolTip(tr("Also speak the chat lines others send"));
    m_chatAction->setChecked(m_settings.speakChat());
    m_chatAction->setEnabled(speaking());
    connect(m_chatAction, &QAction::triggered, this,
            [this](bool on) { m_settings.setSpeakChat(on); });
    checkSink();
}

void GameSpeech::checkSink() {
    const QString why = m_sink.unavailableReason();
    if (why.isEmpty()) return;
    for (QAction* a : {m_action, m_chatAction}) {
        a->setEnabled(false);
        a->setChecked(false);
        a->setToolTip(why);
    }
    // Said once the table can show it: at the first reading of the settings, or when the
    // engine has just failed.
    if (m_toldUnavailable || !m_settings.loaded()) return;
    m_toldUnavailable = true;
    emit unavailable(tr("Game events cannot be spoken. %1").arg(why));
}

bool GameSpeech::speaking() const {
    return m_action->isEnabled() && m_action->isChecked();
}

void GameSpeech::settingsLoaded() {
    if (m_action->isEnabled()) {
        m_action->setChecked(m_settings.speakEvents());
        m_chatAction->setChecked(m_settings.speakChat());
        m_chatAction->setEnabled(speaking());
    }
    checkSink();
}

void GameSpeech::hostEvent(const core::HostEvent& event) {
    if (!speaking()) return;
    core::SpeechOptions options;
    options.myslot = m_client.myslot();
    options.withChat = m_chatAction->isChecked();
    const std::string text = core::spokenEvent(event, m_client.board(), options);
    if (text.empty()) return;
    m_sink.say(QString::fromStdString(text));
    checkSink();
}

} // namespace ui
