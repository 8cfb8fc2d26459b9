// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/firstframe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace ui {

FirstFrame::FirstFrame(std::function<void()> work, QObject* parent)
    : QObject(parent), m_work(std::move(work)) {}

void FirstFrame::after(QWidget* window, std::function<void()> work) {
    QWindow* handle = window ? window->windowHandle() : nullptr;
    if (!handle) {
        QTimer::singleShot(0, window, std::move(work));
        return;
    }
    handle->installEventFilter(new FirstFrame(std::move(work), handle));
}

bool FirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
        // The window paints and flushes while it handles this event; the work follows it.
        watched->removeEventFilter(this);
        QTimer::singleShot(0, watched, std::move(m_work));
        deleteLater();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
