// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialogkeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace ui {

DialogKeys* DialogKeys::install(QWidget* window, QAbstractButton* defaultButton,
                                QAbstractButton* cancelButton) {
    return new DialogKeys(window, defaultButton, cancelButton);
}

DialogKeys::DialogKeys(QWidget* window, QAbstractButton* defaultButton,
                       QAbstractButton* cancelButton)
    : QObject(window), m_window(window), m_default(defaultButton), m_cancel(cancelButton) {
    window->installEventFilter(this);
}

bool DialogKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_default || !m_default->isVisible() || !m_default->isEnabled()) return false;
        m_default->click();
        return true;
    case Qt::Key_Escape:
        if (m_cancel)
            m_cancel->click();
        else
            m_window->close();
        return true;
    default:
        return false;
    }
}

} // namespace ui
