// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/diceanimation.h"

#include "client/tableclient.h"

#include <QTimer>

#include <algorithm>

namespace ui {

DiceAnimation::DiceAnimation(core::TableClient& client, QObject* parent)
    : QObject(parent), m_timer(new QTimer(this)) {
    m_timer->setObjectName(QStringLiteral("dicetimer"));
    m_timer->setInterval(kIntervalMs);
    connect(m_timer, &QTimer::timeout, this, [&client] { client.dicetimerTimer(); });
}

void DiceAnimation::start() {
    m_timer->start();
}

void DiceAnimation::stop() {
    m_timer->stop();
}

bool DiceAnimation::running() const {
    return m_timer->isActive();
}

void DiceAnimation::setInterval(int ms) {
    m_timer->setInterval(std::max(1, ms));
}

} // namespace ui
