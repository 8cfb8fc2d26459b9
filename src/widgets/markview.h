// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small painted marks of the board. Each mark is one picture that the board shows or
// hides: the just-watching eyes (image_eyes), the not-playing sign (image_notplaying), the
// winner's crown over a total (image_winner), the bonus badge above a die (image_bonus) and
// the working-category arrow (image_cat). Marks take no mouse input; clicks fall through to
// what lies beneath.
#include <QWidget>

namespace ui {

class MarkView : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Eyes, NotPlaying, Winner, Bonus, Category };

    explicit MarkView(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    // The size each mark is designed for; any other size scales the drawing.
    static QSize designSize(Kind kind);
    static void paintMark(QPainter& p, const QRectF& r, Kind kind);

    QSize sizeHint() const override { return designSize(m_kind); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
};

} // namespace ui
