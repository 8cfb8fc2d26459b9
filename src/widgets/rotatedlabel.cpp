// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/rotatedlabel.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace ui {

RotatedLabel::RotatedLabel(QWidget* parent) : QWidget(parent) {}

RotatedLabel::RotatedLabel(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {}

namespace {

// Smallest sizes tried, as a share of the label's font: one line may shrink a little, two
// lines a little more.
constexpr qreal kOneLineShrink = 0.84;
constexpr qreal kTwoLineShrink = 0.75;

QFont sized(QFont font, int px) {
    font.setPixelSize(px);
    return font;
}

// The break at a blank that leaves the longer of the two lines shortest, if both fit.
std::optional<QStringList> twoLines(const QString& text, const QFontMetricsF& fm, qreal length) {
    std::optional<QStringList> best;
    qreal bestWidth = 0;
    for (qsizetype i = text.indexOf(' '); i >= 0; i = text.indexOf(' ', i + 1)) {
        const QString a = text.left(i).trimmed();
        const QString b = text.mid(i + 1).trimmed();
        if (a.isEmpty() || b.isEmpty()) continue;
        const qreal widest = std::max(fm.horizontalAdvance(a), fm.horizontalAdvance(b));
        if (widest <= length && (!best || widest < bestWidth)) {
            best = QStringList{a, b};
            bestWidth = widest;
        }
    }
    return best;
}

} // namespace

void RotatedLabel::setText(const QString& text) {
    if (text == m_text) return;
    m_text = text;
    updateGeometry();
    updateToolTip();
    update();
}

RotatedLabel::Fit RotatedLabel::fit() const {
    const qreal length = height() - 4; // along the reading direction
    const qreal breadth = width();
    const int full = font().pixelSize() > 0 ? font().pixelSize() : QFontInfo(font()).pixelSize();
    const int oneLineMin = std::max(6, int(std::lround(full * kOneLineShrink)));
    const int twoLineMin = std::max(6, int(std::lround(full * kTwoLineShrink)));

    for (int px = full; px >= oneLineMin; --px) {
        const QFont f = sized(font(), px);
        if (QFontMetricsF(f).horizontalAdvance(m_text) <= length) return {f, {m_text}, false};
    }
    for (int px = full; px >= twoLineMin; --px) {
        const QFont f = sized(font(), px);
        const QFontMetricsF fm(f);
        if (2 * fm.height() > breadth) continue;
        if (auto lines = twoLines(m_text, fm, length)) return {f, *lines, false};
    }
    // Nothing fits whole: the smallest size, as many lines as there is room for, the last one
    // cut short.
    const QFont f = sized(font(), twoLineMin);
    const QFontMetricsF fm(f);
    if (2 * fm.height() > breadth) {
        const QFontMetrics whole(font());
        return {font(), {whole.elidedText(m_text, Qt::ElideRight, int(length))}, true};
    }
    qsizetype cut = 1;
    while (cut < m_text.size() && fm.horizontalAdvance(m_text.left(cut + 1)) <= length)
        ++cut;
    const qsizetype blank = m_text.lastIndexOf(' ', cut);
    if (blank > 0 && cut < m_text.size()) cut = blank;
    const QString first = m_text.left(cut).trimmed();
    const QString rest =
        QFontMetrics(f).elidedText(m_text.mid(cut).trimmed(), Qt::ElideRight, int(length));
    return {f, {first, rest}, true};
}

void RotatedLabel::updateToolTip() {
    setToolTip(fit().elided ? m_text : QString());
}

void RotatedLabel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateToolTip();
}

void RotatedLabel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateToolTip();
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
    const Fit set = fit();
    p.setFont(set.font);
    p.setPen(m_colour);
    // Turn the painter so x runs up the widget and y runs left to right across it.
    p.translate(0, height());
    p.rotate(-90);
    const QRect line(2, 0, height() - 4, width());
    p.drawText(line, static_cast<int>(m_alignment), set.lines.join('\n'));
}

void RotatedLabel::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->button(), event->globalPosition().toPoint());
    event->accept();
}

} // namespace ui
