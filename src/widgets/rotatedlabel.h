#pragma once
// A label whose text is written upwards (turned 90 degrees), read from the bottom up; the
// seat name labels above the score columns. It reports mouse releases so the seat menu can
// open on it.
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

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void mouseReleased(Qt::MouseButton button, const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_text;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor m_colour = Qt::black;
};

} // namespace ui
