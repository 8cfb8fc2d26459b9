// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A card with rounded corners and a gold trim, on which other pieces lie: the chat's card and
// the board's message panels. Painted here rather than by a style sheet, which would give the
// card and everything on it a style of their own to build and polish while the window starts.
#include <QColor>
#include <QFrame>

namespace ui {

class TrimmedCard : public QFrame {
    Q_OBJECT
public:
    // The trim is `border` pixels wide; what lies on the card keeps clear of it.
    TrimmedCard(const QColor& fill, const QColor& trim, int border, int radius,
                QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
    QColor m_trim;
    int m_border;
    int m_radius;
};

} // namespace ui
