// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label whose text is written upwards (turned 90 degrees), read from the bottom up; the
// seat name labels above the score columns. It reports mouse releases so the seat menu can
// open on it.
//
// The text uses the room there is: one line at the label's font, or a little smaller, or two
// lines broken at a blank. Only a text that fits none of these is cut with "…"; the whole
// text is then the label's tooltip.
#include <QWidget>

namespace ui {

class RotatedLabel : public QWidget {
    Q_OBJECT
public:
    explicit RotatedLabel(QWidget* parent = nullptr);
    explicit RotatedLabel(const QString& text, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    // Alignment along the reading direction: AlignLeft starts at the bottom edge (default),
    // AlignRight ends at the top, AlignHCenter centres; AlignTop/AlignBottom/AlignVCenter place
    // the line across the width (top = left edge).
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return m_alignment; }
    void setTextColor(const QColor& colour);
    QColor textColor() const { return m_colour; }

    // How the text is set in the label's current size and font.
    struct Fit {
        QFont font;
        QStringList lines;
        bool elided = false;
    };
    Fit fit() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void mouseReleased(Qt::MouseButton button, const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateToolTip();

    QString m_text;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor m_colour = Qt::black;
};

} // namespace ui
