// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/qt/soundmodule/soundeffectoutput.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace ui {

SoundEffectOutput::SoundEffectOutput(QObject* parent) : QObject(parent) {}

bool SoundEffectOutput::audioAvailable() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

void SoundEffectOutput::stop() {
    if (m_playing) m_playing->stop();
    m_playing = nullptr;
}

void SoundEffectOutput::start(const QString& resourcePath) {
    stop();
    if (!audioAvailable()) return;
    QSoundEffect*& effect = m_effects[resourcePath];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl(QStringLiteral("qrc") + resourcePath));
    }
    effect->play();
    m_playing = effect;
}

} // namespace ui

ui::SoundOutput* bramblies_create_sound_output() {
    return new ui::SoundEffectOutput;
}
