#include "client/qt/hintbubble.h"

#include <QMouseEvent>

#include <algorithm>

namespace ui {

namespace {
constexpr int kGap = 3;     // between the note and what it stands above
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

void HintBubble::showAbove(const QRect& above, const QString& text) {
    setText(text);
    setAccessibleName(text);
    QFont f = font();
    // As large as the board's own small print at its present scale.
    f.setPixelSize(std::max(11, above.height() / 4));
    setFont(f);
    const int width = above.width();
    const int height = heightForWidth(width);
    const int top = std::max(0, above.top() - kGap - height);
    setGeometry(above.left(), top, width, std::min(height, above.top() - kGap - top));
    raise();
    show();
}

void HintBubble::mousePressEvent(QMouseEvent* event) {
    hide();
    event->accept();
}

} // namespace ui
