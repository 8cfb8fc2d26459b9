// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where spoken game events go: the desktop's speech engine in the program, a recording fake
// in tests.
#include <QString>

namespace ui {

class SpeechSink {
public:
    virtual ~SpeechSink() = default;
    // Empty when the sink can speak; otherwise a sentence saying why it cannot.
    virtual QString unavailableReason() const = 0;
    // Speaks text after whatever is being spoken now. Never blocks.
    virtual void say(const QString& text) = 0;
};

} // namespace ui
