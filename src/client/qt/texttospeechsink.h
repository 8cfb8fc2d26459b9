#pragma once
// Spoken game events through Qt's TextToSpeech (speech-dispatcher on Debian). The engine is
// started only when something is first said, so a program that never speaks never talks to
// the speech service. Sentences wait their turn rather than cut each other off; when more
// than a handful pile up (a fast computer player), the oldest are dropped.
#include "client/qt/speechsink.h"

#include <QObject>
#include <QStringList>

class QTextToSpeech;

namespace ui {

class TextToSpeechSink : public QObject, public SpeechSink {
    Q_OBJECT
public:
    static constexpr int kMaxWaiting = 6;

    explicit TextToSpeechSink(QObject* parent = nullptr);

    QString unavailableReason() const override;
    void say(const QString& text) override;

private:
    void next();

    QTextToSpeech* m_speech = nullptr;
    QStringList m_waiting;
};

} // namespace ui
