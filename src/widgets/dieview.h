// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One die of the board (image_d1..image_d5). The picture is built the way the board thinks of
// it: a body (plain red, or the bonus body with a light rim) with the pips of a face on top.
// The die keeps only what it shows; the game's own record of the die (face, held) lives in
// the client. A cleared die shows nothing at all.
#include <QWidget>

#include <functional>

namespace ui {

class DieView : public QWidget {
    Q_OBJECT
public:
    // Numbered like the frames of the dice picture list: 7 is the plain body, 8 the bonus body.
    enum class Body { Plain = 7, Bonus = 8 };
    static constexpr int kSize = 48;
    static constexpr int kFrameCount = 9;
    // Tops of a die on the board: resting, and raised (held, or matching the bonus face).
    static constexpr int kRestingTop = 119;
    static constexpr int kRaisedTop = 110;

    explicit DieView(QWidget* parent = nullptr);

    // Clear, draw the body, then the pips of face (0 = blank body; outside 0..6 counts as 0).
    void draw(int face, Body body = Body::Plain);
    void setFace(int face);  // keeps the body, shows the picture
    void setBody(Body body); // keeps the face, shows the picture
    void clear();            // nothing drawn

    // Moves the die to its raised or resting top, keeping its left edge. A board laid out at
    // another scale sets its own tops first.
    void setRaised(bool raised);
    bool isRaised() const { return m_raised; }
    void setTops(int restingTop, int raisedTop);

    bool isCleared() const { return !m_drawn; }
    int face() const { return m_face; }
    Body body() const { return m_body; }

    // The painting pieces, for anyone who needs a die elsewhere (buttons, icons).
    // Both fit a square of side min(width, height) centred in the rectangle.
    static void paintBody(QPainter& p, const QRectF& r, Body body);
    static void paintPips(QPainter& p, const QRectF& r, int face);
    // Frame k of the dice picture list at the given side: 0 blank, 1..6 pips alone on a
    // transparent ground, 7 the plain body, 8 the bonus body.
    static QPixmap frame(int index, int side = kSize);

    QSize sizeHint() const override { return {kSize, kSize}; }

    // What lies under the die, painted by whoever owns that ground (area in the die's own
    // coordinates). With one the die paints every pixel of itself, so a new face repaints the
    // die alone and nothing behind it.
    using Backdrop = std::function<void(QPainter& p, const QRect& area)>;
    void setBackdrop(Backdrop backdrop);

signals:
    void mouseReleased(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_drawn = false;
    bool m_raised = false;
    int m_restingTop = kRestingTop;
    int m_raisedTop = kRaisedTop;
    int m_face = 0;
    Body m_body = Body::Plain;
    Backdrop m_backdrop;
};

} // namespace ui
