#include "client/qt/texttospeechsink.h"

#include <QTextToSpeech>

namespace ui {

TextToSpeechSink::TextToSpeechSink(QObject* parent) : QObject(parent) {}

QString TextToSpeechSink::unavailableReason() const {
    if (QTextToSpeech::availableEngines().isEmpty())
        return tr("No speech engine is installed (Qt TextToSpeech with speech-dispatcher).");
    if (m_speech && m_speech->state() == QTextToSpeech::Error)
        return tr("The speech engine could not be started: %1").arg(m_speech->errorString());
    return {};
}

void TextToSpeechSink::say(const QString& text) {
    if (text.isEmpty() || QTextToSpeech::availableEngines().isEmpty()) return;
    if (!m_speech) {
        m_speech = new QTextToSpeech(this);
        connect(m_speech, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            if (state == QTextToSpeech::Ready) next();
        });
    }
    if (m_speech->state() == QTextToSpeech::Error) return;
    m_waiting << text;
    while (m_waiting.size() > kMaxWaiting)
        m_waiting.removeFirst();
    if (m_speech->state() == QTextToSpeech::Ready) next();
}

void TextToSpeechSink::next() {
    if (m_waiting.isEmpty() || !m_speech) return;
    m_speech->say(m_waiting.takeFirst());
}

} // namespace ui
