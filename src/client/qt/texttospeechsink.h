// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Spoken game events through the desktop's speech engine (Qt TextToSpeech with
// speech-dispatcher on Debian, in the module bramblies_speech). The module and the engine are
// started only when something is first said, so a program that never speaks never loads Qt's
// speech library nor talks to the speech service. Sentences wait their turn rather than cut
// each other off; when more than a handful pile up (a fast computer player), the oldest are
// dropped.
#include "client/qt/speechsink.h"

#include <QObject>
#include <QStringList>

#include <memory>

namespace ui {

class SpeechEngine;

class TextToSpeechSink : public QObject, public SpeechSink {
    Q_OBJECT
public:
    static constexpr int kMaxWaiting = 6;

    explicit TextToSpeechSink(QObject* parent = nullptr);
    ~TextToSpeechSink() override;

    QString unavailableReason() const override;
    void say(const QString& text) override;

private:
    void next();
    // Before the engine is started: whether the module and some speech engine are installed.
    static bool installed();

    QStringList m_waiting;
    bool m_started = false;
    std::unique_ptr<SpeechEngine> m_speech;
};

} // namespace ui
