// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/texttospeechsink.h"

#include "client/qt/speechengine.h"
#include "net/qt/programmodules.h"

#include <QCoreApplication>
#include <QDir>

namespace ui {

TextToSpeechSink::TextToSpeechSink(QObject* parent) : QObject(parent) {}

TextToSpeechSink::~TextToSpeechSink() {
    auto speech = std::move(m_speech); // nothing is said while the engine goes
}

bool TextToSpeechSink::installed() {
    // Qt finds its speech engines as plugins in the "texttospeech" folder of its plugin paths.
    if (!moduleInstalled(QStringLiteral("bramblies_speech"))) return false;
    for (const QString& path : QCoreApplication::libraryPaths())
        if (!QDir(path + QStringLiteral("/texttospeech")).isEmpty(QDir::Files)) return true;
    return false;
}

QString TextToSpeechSink::unavailableReason() const {
    if (m_started ? !m_speech : !installed())
        return tr("No speech engine is installed: install the packages "
                  "qt6-speech-speechd-plugin and speech-dispatcher.");
    if (m_speech && m_speech->state() == SpeechEngine::State::Error)
        return tr("The speech engine could not be started (%1): install the package "
                  "speech-dispatcher.")
            .arg(m_speech->errorString());
    return {};
}

void TextToSpeechSink::say(const QString& text) {
    if (text.isEmpty()) return;
    if (!m_started) {
        m_started = true;
        using Create = decltype(&bramblies_create_speech_engine_v1);
        if (auto create = reinterpret_cast<Create>(moduleEntry(
                QStringLiteral("bramblies_speech"), "bramblies_create_speech_engine_v1")))
            m_speech.reset(create([this] { next(); }));
    }
    if (!m_speech || m_speech->state() == SpeechEngine::State::Error) return;
    m_waiting << text;
    while (m_waiting.size() > kMaxWaiting)
        m_waiting.removeFirst();
    if (m_speech->state() == SpeechEngine::State::Ready) next();
}

void TextToSpeechSink::next() {
    if (m_waiting.isEmpty() || !m_speech) return;
    m_speech->say(m_waiting.takeFirst());
}

} // namespace ui
