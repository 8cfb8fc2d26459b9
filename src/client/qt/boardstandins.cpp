#include "client/qt/boardstandins.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace ui::standin {

namespace {
const QColor kDieRed(214, 30, 34);
const QColor kGold(211, 186, 44);
const QColor kCream(254, 248, 211);

QRectF square(const QRect& r) {
    const qreal side = std::min(r.width(), r.height()) - 2;
    return QRectF(r.center().x() - side / 2 + 0.5, r.center().y() - side / 2 + 0.5, side, side);
}

void paintPips(QPainter& p, const QRectF& r, int face) {
    static const int layout[7][9] = {{0},
                                     {0, 0, 0, 0, 1, 0, 0, 0, 0},
                                     {1, 0, 0, 0, 0, 0, 0, 0, 1},
                                     {1, 0, 0, 0, 1, 0, 0, 0, 1},
                                     {1, 0, 1, 0, 0, 0, 1, 0, 1},
                                     {1, 0, 1, 0, 1, 0, 1, 0, 1},
                                     {1, 0, 1, 1, 0, 1, 1, 0, 1}};
    if (face < 1 || face > 6) return;
    const qreal step = r.width() / 4, rad = r.width() / 11;
    for (int i = 0; i < 9; ++i)
        if (layout[face][i])
            p.drawEllipse(QPointF(r.left() + step * (1 + i % 3), r.top() + step * (1 + i / 3)), rad, rad);
}
} // namespace

void DieView::draw(int face, Body body) {
    m_drawn = true;
    m_face = face;
    m_body = body;
    update();
}

void DieView::clear() {
    m_drawn = false;
    update();
}

void DieView::paintEvent(QPaintEvent*) {
    if (!m_drawn) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = square(rect());
    p.setPen(QPen(QColor(96, 6, 10), 1.5));
    p.setBrush(kDieRed);
    p.drawRoundedRect(r, r.width() / 6, r.width() / 6);
    if (m_body == Body::Bonus) {
        p.setPen(QPen(QColor(255, 241, 178), r.width() / 16));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(3, 3, -3, -3), r.width() / 7, r.width() / 7);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    paintPips(p, r, m_face);
}

void DieView::mouseReleaseEvent(QMouseEvent* e) { emit mouseReleased(e->button()); }

void RollsIndicator::setRolls(int rolls) {
    m_rolls = rolls;
    update();
}

void RollsIndicator::paintEvent(QPaintEvent*) {
    if (m_rolls < 0 || m_rolls > 3) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = width() / 3.0;
    for (int i = 0; i < 3; ++i) {
        QRectF box(i * w + 2, 2, w - 4, height() - 4);
        p.setPen(QPen(QColor(163, 128, 18), 1.5));
        p.setBrush(Qt::white);
        p.drawRect(box);
        if (i < m_rolls) {
            p.setPen(QPen(kDieRed, 2));
            p.drawLine(box.topLeft() + QPointF(3, 3), box.bottomRight() - QPointF(3, 3));
            p.drawLine(box.topRight() + QPointF(-3, 3), box.bottomLeft() + QPointF(3, -3));
        }
    }
}

MarkView::MarkView(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MarkView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    switch (m_kind) {
    case Kind::Eyes:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(r.left(), r.top(), r.width() / 2 - 1, r.height()));
        p.drawEllipse(QRectF(r.center().x() + 1, r.top(), r.width() / 2 - 1, r.height()));
        break;
    case Kind::NotPlaying:
        p.setPen(QPen(kDieRed, 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
        p.drawLine(r.topLeft() + QPointF(5, 5), r.bottomRight() - QPointF(5, 5));
        break;
    case Kind::Winner:
    case Kind::Category:
    case Kind::Bonus:
        p.setPen(Qt::NoPen);
        p.setBrush(kGold);
        p.drawRoundedRect(r, 4, 4);
        break;
    }
}

void RotatedLabel::setText(const QString& text) {
    m_text = text;
    update();
}

void RotatedLabel::setTextColor(const QColor& c) {
    m_colour = c;
    update();
}

void RotatedLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(m_colour);
    p.translate(0, height());
    p.rotate(-90);
    p.drawText(QRect(4, 0, height() - 4, width()), Qt::AlignLeft | Qt::AlignVCenter, m_text);
}

void RotatedLabel::mouseReleaseEvent(QMouseEvent* e) {
    emit mouseReleased(e->button(), e->globalPosition().toPoint());
}

CategoryButton::CategoryButton(int category, QWidget* parent)
    : QAbstractButton(parent), m_category(category) {}

void CategoryButton::setSelectable(bool s) {
    m_selectable = s;
    setCursor(s ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
}

void CategoryButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(QColor(163, 128, 18), 1));
    p.setBrush(m_selectable ? kCream : QColor(235, 230, 210));
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QColor(40, 32, 28));
    p.drawText(r, Qt::AlignCenter, m_category == 7 ? QStringLiteral("1-5") : QString::number(m_category));
}

CategoryBar::CategoryBar(int category, QWidget* parent)
    : QAbstractButton(parent), m_category(category) {}

void CategoryBar::setSelectable(bool s) {
    m_selectable = s;
    update();
}

void CategoryBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect().adjusted(0, height() / 4, 0, -height() / 4), kGold);
}

ColumnHighlight::ColumnHighlight(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ColumnHighlight::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kGold, 2));
    p.setBrush(QColor(253, 242, 185, 170));
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
}

PictureButton::PictureButton(const QString& text, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    setCursor(Qt::PointingHandCursor);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(QColor(96, 6, 10), 1));
    p.setBrush(isDown() ? QColor(150, 20, 24) : kDieRed);
    p.drawRoundedRect(r, 6, 6);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, text());
}

} // namespace ui::standin
