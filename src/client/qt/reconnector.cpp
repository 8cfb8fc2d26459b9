// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/reconnector.h"

#include <algorithm>

namespace ui {

Reconnector::Reconnector(std::function<void()> attempt, QObject* parent)
    : QObject(parent), m_attempt(std::move(attempt)) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Reconnector::timeout);
}

void Reconnector::start(int withinSeconds) {
    m_withinMs = qint64{withinSeconds} * 1000;
    m_since.start();
    m_delayMs = kFirstDelayMs;
    m_state = State::Waiting;
    m_timer.start(m_delayMs);
}

void Reconnector::attemptFailed() {
    if (m_state == State::Trying) next();
}

void Reconnector::connected() {
    m_timer.stop();
    m_state = State::Idle;
}

void Reconnector::timeout() {
    if (m_state == State::Waiting) {
        m_state = State::Trying;
        m_timer.start(kAttemptTimeoutMs);
        m_attempt();
    } else if (m_state == State::Trying) {
        next();
    }
}

void Reconnector::next() {
    m_delayMs = std::min(m_delayMs * 2, kMaxDelayMs);
    if (m_since.elapsed() + m_delayMs > m_withinMs) {
        m_timer.stop();
        m_state = State::Idle;
        emit gaveUp();
        return;
    }
    m_state = State::Waiting;
    m_timer.start(m_delayMs);
}

} // namespace ui
