// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/hintbubble.h"

#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {
constexpr int kPadding = 5;
constexpr int kFontPx = 12; // the board's small print at its design size
} // namespace

HintBubble::HintBubble(QWidget* board) : QLabel(board) {
    setObjectName(QStringLiteral("label_hint"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAutoFillBackground(true);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setFrameShape(QFrame::Box);
    setMargin(kPadding);
    setCursor(Qt::PointingHandCursor);
    hide();
}

void HintBubble::showIn(const QRect& area, const QString& text, qreal scale) {
    setText(text);
    setAccessibleName(text);
    QFont f = font();
    f.setPixelSize(std::max(kFontPx, int(std::lround(kFontPx * scale))));
    setFont(f);
    const int height = std::max(area.height(), heightForWidth(area.width()));
    const int top = std::max(0, area.bottom() + 1 - height);
    setGeometry(area.left(), top, area.width(), area.bottom() + 1 - top);
    raise();
    show();
}

void HintBubble::mousePressEvent(QMouseEvent* event) {
    hide();
    event->accept();
}

} // namespace ui
