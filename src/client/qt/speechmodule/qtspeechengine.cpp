// SPDX-License-Identifier: GPL-3.0-or-later
// The speech engine of the module bramblies_speech: Qt TextToSpeech (speech-dispatcher on
// Debian) behind the program's SpeechEngine.
#include "client/qt/speechengine.h"

#include <QTextToSpeech>

#include <memory>

namespace ui {
namespace {

class QtSpeechEngine : public SpeechEngine {
public:
    explicit QtSpeechEngine(std::function<void()> ready) {
        QObject::connect(m_speech.get(), &QTextToSpeech::stateChanged, m_speech.get(),
                         [ready = std::move(ready)](QTextToSpeech::State state) {
                             if (state == QTextToSpeech::Ready) ready();
                         });
    }

    State state() const override {
        switch (m_speech->state()) {
        case QTextToSpeech::Ready:
            return State::Ready;
        case QTextToSpeech::Error:
            return State::Error;
        default:
            return State::Busy;
        }
    }
    QString errorString() const override { return m_speech->errorString(); }
    void say(const QString& text) override { m_speech->say(text); }

private:
    std::unique_ptr<QTextToSpeech> m_speech = std::make_unique<QTextToSpeech>();
};

} // namespace
} // namespace ui

ui::SpeechEngine* bramblies_create_speech_engine_v1(std::function<void()> ready) {
    if (QTextToSpeech::availableEngines().isEmpty()) return nullptr;
    return new ui::QtSpeechEngine(std::move(ready));
}
