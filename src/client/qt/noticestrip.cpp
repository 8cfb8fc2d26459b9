// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/noticestrip.h"

#include <QEvent>
#include <QTimer>

namespace ui {

NoticeStrip::NoticeStrip(QWidget* parent) : QLabel(parent), m_hideTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("label_hostnotice"));
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setToolTip(tr("Host notice (click to hide)"));
    m_hideTimer->setSingleShot(true);
    m_hideTimer->setInterval(kShowMs);
    connect(m_hideTimer, &QTimer::timeout, this, &QWidget::hide);
    parent->installEventFilter(this);
    hide();
}

void NoticeStrip::notice(const QString& text) {
    // Styled when first needed: most runs never show a notice, and a style sheet costs the
    // window's start-up a style of its own.
    if (styleSheet().isEmpty())
        setStyleSheet(QStringLiteral(
            "QLabel { background: rgba(60, 40, 10, 215); color: #fff3c4; font-family: Arial;"
            " font-size: 12px; font-weight: bold; border: 1px solid #d3ba2c; border-radius: 6px;"
            " padding: 3px 10px; }"));
    setText(text);
    reposition();
    show();
    raise();
    m_hideTimer->start();
}

void NoticeStrip::reposition() {
    QWidget* p = parentWidget();
    adjustSize();
    const int w = std::min(p->width() - 16, std::max(width(), 220));
    setGeometry((p->width() - w) / 2, p->height() - height() - 8, w, height());
}

void NoticeStrip::mouseReleaseEvent(QMouseEvent*) {
    m_hideTimer->stop();
    hide();
}

bool NoticeStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible()) reposition();
    return QLabel::eventFilter(watched, event);
}

} // namespace ui
