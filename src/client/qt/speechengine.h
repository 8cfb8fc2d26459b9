// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's speech engine as the program sees it. The real one (Qt TextToSpeech) lives in
// the module bramblies_speech, opened the first time something is said, so the program does not
// load Qt's speech library at start.
#include <QString>

#include <functional>

class QObject;

namespace ui {

class SpeechEngine {
public:
    enum class State { Ready, Busy, Error };
    virtual ~SpeechEngine() = default;
    virtual State state() const = 0;
    virtual QString errorString() const = 0;
    // Speaks now; call only when Ready.
    virtual void say(const QString& text) = 0;
};

} // namespace ui

// The module's one symbol: a new engine, owned by the caller; `ready` is called each time the
// engine becomes ready to speak. Null when no speech engine is installed.
extern "C" __attribute__((visibility("default"))) ui::SpeechEngine*
bramblies_create_speech_engine_v1(std::function<void()> ready);
