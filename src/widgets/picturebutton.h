// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A flat picture button: a rounded, shaded plate with its caption, drawn in one piece with no
// platform frame, in the colours of the board. It lightens under the mouse, sinks while
// pressed and greys out when disabled.
#include <QAbstractButton>

namespace ui {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Tone { Red, Gold };

    explicit PictureButton(const QString& text, QWidget* parent = nullptr);

    void setTone(Tone tone);
    Tone tone() const { return m_tone; }

    enum class Look { Normal, Hover, Pressed, Disabled };
    static void paintButton(QPainter& p, const QRectF& r, const QString& text, Tone tone, Look look,
                            const QFont& font);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Tone m_tone = Tone::Red;
    bool m_hovered = false;
};

} // namespace ui
