// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/picturebutton.h"

#include "widgets/boardpalette.h"

#include <QPainter>

namespace ui {

PictureButton::PictureButton(const QString& text, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(15);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    setFont(f);
    resize(sizeHint());
}

void PictureButton::setTone(Tone tone) {
    m_tone = tone;
    update();
}

QSize PictureButton::sizeHint() const {
    const QFontMetrics fm(font());
    return {std::max(80, fm.horizontalAdvance(text()) + 40), std::max(30, fm.height() + 16)};
}

void PictureButton::paintButton(QPainter& p, const QRectF& r, const QString& text, Tone tone,
                                Look look, const QFont& font) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const bool pressed = look == Look::Pressed;
    const QRectF plate = r.adjusted(1, 1, -2, -3).translated(0, pressed ? 1.5 : 0);
    const qreal radius = std::min(plate.height() / 2.4, 12.0);

    QColor light, mid, dark, edge, caption, captionShadow;
    if (tone == Tone::Red) {
        light = BoardPalette::dieLight();
        mid = BoardPalette::dieRed();
        dark = BoardPalette::dieDark();
        edge = BoardPalette::dieEdge();
        caption = Qt::white;
        captionShadow = QColor(70, 0, 0, 170);
    } else {
        light = QColor(255, 246, 190);
        mid = QColor(240, 200, 70);
        dark = QColor(190, 140, 20);
        edge = BoardPalette::deepGold().darker(120);
        caption = QColor(90, 40, 0);
        captionShadow = QColor(255, 255, 230, 170);
    }
    if (look == Look::Hover) {
        light = light.lighter(110);
        mid = mid.lighter(112);
    } else if (look == Look::Disabled) {
        const auto grey = [](const QColor& c) {
            const int g = qGray(c.rgb());
            return QColor(g, g, g);
        };
        light = grey(light);
        mid = grey(mid);
        dark = grey(dark);
        edge = grey(edge);
        caption = QColor(235, 235, 235);
        captionShadow = QColor(0, 0, 0, 60);
    }

    if (!pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(50, 20, 0, 60));
        p.drawRoundedRect(plate.translated(0.8, 2.0), radius, radius);
    }
    QLinearGradient fill(plate.topLeft(), plate.bottomLeft());
    fill.setColorAt(0.0, pressed ? mid : light);
    fill.setColorAt(0.55, mid);
    fill.setColorAt(1.0, dark);
    p.setBrush(fill);
    p.setPen(QPen(edge, 1.2));
    p.drawRoundedRect(plate, radius, radius);
    // A gold trim inside the edge and a gloss over the upper half.
    p.setBrush(Qt::NoBrush);
    p.setPen(
        QPen(tone == Tone::Red ? QColor(255, 220, 140, 150) : QColor(255, 255, 255, 150), 1.0));
    p.drawRoundedRect(plate.adjusted(2, 2, -2, -2), radius - 2, radius - 2);
    QLinearGradient gloss(plate.topLeft(), QPointF(plate.left(), plate.center().y()));
    gloss.setColorAt(0.0, QColor(255, 255, 255, pressed ? 30 : 85));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(plate.adjusted(3, 2.5, -3, -plate.height() / 2), radius - 3, radius - 3);

    p.setFont(font);
    p.setPen(captionShadow);
    p.drawText(plate.translated(0, 1.2), Qt::AlignCenter, text);
    p.setPen(caption);
    p.drawText(plate, Qt::AlignCenter, text);
    p.restore();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Look look = Look::Normal;
    if (!isEnabled())
        look = Look::Disabled;
    else if (isDown())
        look = Look::Pressed;
    else if (m_hovered)
        look = Look::Hover;
    paintButton(p, rect(), text(), m_tone, look, font());
}

void PictureButton::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace ui
