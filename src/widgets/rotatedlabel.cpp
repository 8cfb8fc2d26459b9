#include "widgets/rotatedlabel.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

RotatedLabel::RotatedLabel(QWidget* parent) : QWidget(parent) {}

RotatedLabel::RotatedLabel(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {}

void RotatedLabel::setText(const QString& text) {
    if (text == m_text) return;
    m_text = text;
    updateGeometry();
    update();
}

void RotatedLabel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

void RotatedLabel::setTextColor(const QColor& colour) {
    m_colour = colour;
    update();
}

QSize RotatedLabel::sizeHint() const {
    const QFontMetrics fm(font());
    return {fm.height() + 2, fm.horizontalAdvance(m_text) + 6};
}

QSize RotatedLabel::minimumSizeHint() const {
    const QFontMetrics fm(font());
    return {fm.height(), fm.height()};
}

void RotatedLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font());
    p.setPen(m_colour);
    // Turn the painter so x runs up the widget and y runs left to right across it.
    p.translate(0, height());
    p.rotate(-90);
    const QRect line(2, 0, height() - 4, width());
    const QString shown = QFontMetrics(font()).elidedText(m_text, Qt::ElideRight, line.width());
    p.drawText(line, static_cast<int>(m_alignment) | Qt::TextSingleLine, shown);
}

void RotatedLabel::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->button(), event->globalPosition().toPoint());
    event->accept();
}

} // namespace ui
