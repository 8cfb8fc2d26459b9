// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/elidedlabel.h"

#include <QEvent>
#include <QFontMetrics>

#include <algorithm>

namespace ui {

void ElidedLabel::setFullText(const QString& text, int keptEnding) {
    m_full = text;
    m_kept = std::clamp(keptEnding, 0, int(text.size()));
    relayout();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    relayout();
}

void ElidedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) relayout();
}

void ElidedLabel::relayout() {
    const QFontMetrics fm(font());
    const int room = contentsRect().width() - 2 * margin() - 4;
    if (fm.horizontalAdvance(m_full) <= room) {
        if (text() != m_full) setText(m_full);
        setToolTip({});
        return;
    }
    const QString ending = m_full.right(m_kept);
    const QString head = m_full.left(m_full.size() - m_kept);
    const QString shown =
        fm.elidedText(head, Qt::ElideRight, std::max(0, room - fm.horizontalAdvance(ending))) +
        ending;
    if (text() != shown) setText(shown);
    setToolTip(m_full);
}

} // namespace ui
