// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's sound output, loaded when it is first needed: the module bramblies_sound
// (beside the executable, or in ../lib/bramblies from it) holds the real output with Qt
// Multimedia behind it. Until the table window has painted itself, a sound to start is kept
// (the newest one) and started afterwards, so the audio stack never delays the first picture.
// Without the module, or without audio, nothing is played and nothing is reported.
#include "chat/qt/soundplayer.h"

#include <QString>

#include <memory>

namespace ui {

class LazySoundOutput : public SoundOutput {
public:
    LazySoundOutput();
    ~LazySoundOutput() override;

    void stop() override;
    void start(const QString& resourcePath) override;

    // While held, a sound to start waits; releasing starts the one waiting.
    void hold() { m_held = true; }
    void release();
    bool isHeld() const { return m_held; }
    QString waiting() const { return m_waiting; }

private:
    SoundOutput* output(); // loads the module on first call; null without it

    bool m_held = false;
    bool m_tried = false;
    QString m_waiting;
    std::unique_ptr<SoundOutput> m_output;
};

} // namespace ui
