// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real sound output: one QSoundEffect per sound, loaded on first use, and at most one
// playing. Nothing is created while the machine has no audio output.
//
// It lives in a module of its own (bramblies_sound) that the program loads when it first
// plays a sound: Qt Multimedia and the audio stack behind it are then not loaded at start.
#include "chat/qt/soundplayer.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

namespace ui {

class SoundEffectOutput : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit SoundEffectOutput(QObject* parent = nullptr);
    void stop() override;
    void start(const QString& resourcePath) override;
    static bool audioAvailable();

private:
    QHash<QString, QSoundEffect*> m_effects;
    QSoundEffect* m_playing = nullptr;
};

} // namespace ui

// The module's one entry point, looked up by name when the module is loaded.
extern "C" Q_DECL_EXPORT ui::SoundOutput* bramblies_create_sound_output();
