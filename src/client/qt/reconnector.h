// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Connecting again after the table's connection dropped: attempts at growing intervals (a
// quarter second, then doubling up to 8 s) until one comes up or the time allowed is over.
// An attempt that neither connects nor fails within 5 s counts as failed.
//
// States: idle -> waiting (start, attemptFailed) -> trying (attempt made) -> idle (connected,
// or gaveUp once the time is over).

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace ui {

class Reconnector : public QObject {
    Q_OBJECT
public:
    static constexpr int kFirstDelayMs = 250;
    static constexpr int kMaxDelayMs = 8000;
    static constexpr int kAttemptTimeoutMs = 5000;

    Reconnector(std::function<void()> attempt, QObject* parent = nullptr);

    void start(int withinSeconds);
    void attemptFailed();
    void connected();
    bool active() const { return m_state != State::Idle; }

signals:
    void gaveUp();

private:
    enum class State { Idle, Waiting, Trying };
    void next();
    void timeout();

    std::function<void()> m_attempt;
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_withinMs = 0;
    int m_delayMs = kFirstDelayMs;
    State m_state = State::Idle;
};

} // namespace ui
