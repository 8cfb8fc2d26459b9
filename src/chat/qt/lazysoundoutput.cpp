// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/qt/lazysoundoutput.h"

#include "net/qt/programmodules.h"

namespace ui {

namespace {

using CreateFn = SoundOutput* (*)();

CreateFn findModule() {
    return reinterpret_cast<CreateFn>(
        moduleEntry(QStringLiteral("bramblies_sound"), "bramblies_create_sound_output"));
}

} // namespace

LazySoundOutput::LazySoundOutput() = default;
LazySoundOutput::~LazySoundOutput() = default;

SoundOutput* LazySoundOutput::output() {
    if (!m_tried) {
        m_tried = true;
        if (CreateFn create = findModule()) m_output.reset(create());
    }
    return m_output.get();
}

void LazySoundOutput::stop() {
    m_waiting.clear();
    if (m_output) m_output->stop();
}

void LazySoundOutput::start(const QString& resourcePath) {
    if (m_held) {
        m_waiting = resourcePath;
        return;
    }
    if (SoundOutput* out = output()) out->start(resourcePath);
}

void LazySoundOutput::release() {
    m_held = false;
    if (m_waiting.isEmpty()) return;
    const QString path = m_waiting;
    m_waiting.clear();
    start(path);
}

} // namespace ui
