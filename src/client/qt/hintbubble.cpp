// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/hintbubble.h"

#include "client/qt/boardlayout.h"

#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {
constexpr int kPadding = 5;
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
    const int fontPx = int(boardlayout::kHintNote.fontPx);
    setText(text);
    setAccessibleName(text);
    QFont f = font();
    f.setPixelSize(std::max(fontPx, int(std::lround(fontPx * scale))));
    setFont(f);
    setGeometry(area.left(), area.top(), area.width(),
                std::max(area.height(), heightForWidth(area.width())));
    raise();
    show();
}

void HintBubble::mousePressEvent(QMouseEvent* event) {
    hide();
    event->accept();
}

} // namespace ui
