// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Speak Game Events": the Options switch and what it does. With the switch on, every host
// message the table has just shown is turned into its sentence (core::spokenEvent) and handed
// to the speech sink; the window makes it an observer of the table client, which hears each
// message once the board has been redrawn. "Speak Chat Lines" adds the received chat. Both are
// off by default and kept in the settings file; when the sink cannot speak, from the start or
// once it has tried, they are disabled and unchecked, their tooltips say why, and the table is
// told once (unavailable), so a player who asked for speech is not left guessing.
#include "client/hostevents.h"

#include <QObject>

class QAction;
class QMenu;

namespace core {
class Settings;
class TableClient;
} // namespace core

namespace ui {

class SpeechSink;

class GameSpeech : public QObject, public core::HostEventObserver {
    Q_OBJECT
public:
    static const QString kSwitchText; // "Speak Game Events"
    static const QString kChatText;   // "Speak Chat Lines"

    // The sink must outlive this object.
    GameSpeech(const core::TableClient& client, core::Settings& settings, SpeechSink& sink,
               QObject* parent = nullptr);

    QAction* action() const { return m_action; }
    QAction* chatAction() const { return m_chatAction; }
    bool speaking() const;
    // The settings file has been read: the switch takes its stored state.
    void settingsLoaded();

    // One host message, after the table client has shown it.
    void hostEvent(const core::HostEvent& event) override;

signals:
    // Once per run: speech cannot be had, and the sentence for the chat that says why.
    void unavailable(const QString& sentence);

private:
    // Greys both switches out, with the reason as their tooltip, if the sink cannot speak.
    void checkSink();

    const core::TableClient& m_client;
    core::Settings& m_settings;
    SpeechSink& m_sink;
    QAction* m_action;
    QAction* m_chatAction;
    bool m_toldUnavailable = false;
};

} // namespace ui
