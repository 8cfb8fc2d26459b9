// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chat's small gold buttons (the phrase buttons and the smiley button): a cream-to-gold
// plate with a thin bronze edge and rounded corners, a bold brown caption or a picture. They
// grow with the window's zoom. Painted here: a style sheet per button would give each one a
// style of its own to build, parse and polish while the window starts.
#include <QToolButton>

namespace ui {

class GoldButton : public QToolButton {
    Q_OBJECT
public:
    explicit GoldButton(QWidget* parent = nullptr);

    // Caption, padding, corners and least size grow alike with the zoom (never below 1).
    void setScale(qreal scale);
    qreal scale() const { return m_scale; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int px(int n) const; // n design pixels at the current zoom

    qreal m_scale = 1.0;
};

} // namespace ui
