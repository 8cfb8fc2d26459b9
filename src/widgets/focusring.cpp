// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/focusring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace ui {

namespace {
constexpr int kMargin = 4; // the ring's room around its control
}

FocusRing::FocusRing(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("focusring"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
}

void FocusRing::addTarget(QWidget* target) {
    m_targets.push_back(target);
    target->installEventFilter(this);
    if (target->hasFocus()) focusChanged(target);
}

void FocusRing::focusChanged(QWidget* now) {
    const bool ours = std::find(m_targets.begin(), m_targets.end(), now) != m_targets.end();
    m_target = ours ? now : nullptr;
    follow();
}

void FocusRing::follow() {
    if (!m_target || !m_target->isVisible() || (m_shown && !m_shown(m_target))) {
        hide();
        return;
    }
    const QRect at(m_target->mapTo(parentWidget(), QPoint(0, 0)), m_target->size());
    setGeometry(at.adjusted(-kMargin, -kMargin, kMargin, kMargin));
    show();
    raise();
    update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            follow();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paint(QPainter& p, const QRectF& around) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 84, 196), 3.0));
    p.drawRoundedRect(around, 6, 6);
    p.setPen(QPen(Qt::white, 1.2));
    p.drawRoundedRect(around, 6, 6);
    p.restore();
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paint(p, QRectF(rect()).adjusted(2, 2, -2, -2));
}

} // namespace ui
