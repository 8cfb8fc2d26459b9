// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/tgamestart.h"

#include "widgets/boardpalette.h"
#include "widgets/focusring.h"
#include "widgets/picturebutton.h"
#include "widgets/tickbox.h"
#include "widgets/tiledbackground.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace ui {

namespace {

const char* const kCaption = "Bramblies - Start Game";
const char* const kTitle = "GAME OPTIONS";
const char* const kLimitLabel = "Bonus Rolls Limit";
const char* const kStart = "Start";

// A label that ticks its box when clicked, so the whole row is a target.
class RowLabel : public QLabel {
public:
    RowLabel(const QString& text, TickBox* box, QWidget* parent)
        : QLabel(text, parent), m_box(box) {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_box->click();
    }

private:
    TickBox* m_box;
};

} // namespace

const std::array<Tgamestart::Choice, 4>& Tgamestart::choices() {
    static const std::array<Choice, 4> list = {{
        {1, "image_1", "1 Roll"},
        {2, "image_2", "2 Rolls"},
        {5, "image_5", "5 Rolls"},
        {0, "image_0", "Unlimited"},
    }};
    return list;
}

Tgamestart::Tgamestart(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("Tgamestart"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setFixedSize(kWidth, kHeight);
    TiledBackground::apply(this);

    auto* title = new QLabel(QString::fromLatin1(kTitle), this);
    title->setObjectName(QStringLiteral("label_title"));
    QFont titleFont(QStringLiteral("DejaVu Sans"));
    titleFont.setPixelSize(17);
    titleFont.setBold(true);
    titleFont.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color: rgb(176, 24, 28);"));
    title->setGeometry(0, 10, kWidth, 24);

    auto* limitLabel = new QLabel(QString::fromLatin1(kLimitLabel), this);
    limitLabel->setObjectName(QStringLiteral("label_limit"));
    QFont labelFont(QStringLiteral("DejaVu Sans"));
    labelFont.setPixelSize(12);
    labelFont.setBold(true);
    limitLabel->setFont(labelFont);
    limitLabel->setAlignment(Qt::AlignCenter);
    limitLabel->setStyleSheet(QStringLiteral("color: rgb(130, 96, 10);"));
    limitLabel->setGeometry(0, 36, kWidth, 18);

    QFont rowFont(QStringLiteral("DejaVu Sans"));
    rowFont.setPixelSize(13);
    const int left = 56;
    int top = 61;
    // The boxes and Start take the keyboard focus (Tab, Space, the arrows) with a visible ring.
    auto* ring = new FocusRing(this);
    for (const Choice& c : choices()) {
        auto* tick = new TickBox(this);
        tick->setObjectName(QString::fromLatin1(c.boxName));
        tick->setAccessibleName(QString::fromLatin1(c.label));
        tick->setFocusPolicy(Qt::StrongFocus);
        tick->installEventFilter(this);
        ring->addTarget(tick);
        tick->move(left, top);
        const int value = c.value;
        connect(tick, &TickBox::clicked, this, [this, value] { boxClicked(value); });
        auto* label = new RowLabel(QString::fromLatin1(c.label), tick, this);
        label->setObjectName(QStringLiteral("label_") + QString::fromLatin1(c.boxName));
        label->setFont(rowFont);
        label->setStyleSheet(QStringLiteral("color: rgb(40, 32, 28);"));
        label->setGeometry(left + TickBox::kWidth + 6, top, 100, TickBox::kHeight);
        top += 25;
    }

    m_start = new PictureButton(QString::fromLatin1(kStart), this);
    m_start->setObjectName(QStringLiteral("button_start"));
    m_start->setGeometry((kWidth - 156) / 2, kHeight - 36 - 12, 156, 36);
    connect(m_start, &PictureButton::clicked, this, &Tgamestart::button_startClick);
    m_start->setFocusPolicy(Qt::StrongFocus);
    ring->addTarget(m_start);

    setLimit(0);
}

TickBox* Tgamestart::box(const QString& boxName) const {
    for (const Choice& c : choices()) {
        if (boxName == QLatin1String(c.boxName))
            return findChild<TickBox*>(boxName, Qt::FindDirectChildrenOnly);
    }
    return nullptr;
}

void Tgamestart::changebox(const QString& boxName, bool ticked) {
    if (TickBox* b = box(boxName)) b->setTicked(ticked);
}

bool Tgamestart::isTicked(const QString& boxName) const {
    const TickBox* b = box(boxName);
    return b && b->isTicked();
}

void Tgamestart::setLimit(int limit) {
    const Choice* chosen = &choices().back(); // unlimited
    for (const Choice& c : choices()) {
        if (c.value == limit) chosen = &c;
    }
    m_limit = chosen->value;
    for (const Choice& c : choices())
        changebox(QString::fromLatin1(c.boxName), &c == chosen);
}

void Tgamestart::paintEvent(QPaintEvent*) {
    // A cream card behind the four choices, with a gold edge, ties them together.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card(36.5, 56.5, kWidth - 73, 104);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 90, 0, 30));
    p.drawRoundedRect(card.translated(1, 1.5), 8, 8);
    QColor paper = BoardPalette::cream();
    paper.setAlpha(225);
    p.setBrush(paper);
    p.setPen(QPen(BoardPalette::gold(), 1.2));
    p.drawRoundedRect(card, 8, 8);
}

void Tgamestart::showEvent(QShowEvent* event) {
    // The first time, open over the middle of the table window; afterwards wherever the player
    // last left it.
    if (!m_placed && parentWidget()) {
        const QRect table = parentWidget()->window()->frameGeometry();
        move(table.center() - QPoint(width() / 2, height() / 2));
        m_placed = true;
    }
    QWidget::showEvent(event);
    // The keyboard starts on the limit chosen now, so the arrows move from there.
    for (const Choice& c : choices())
        if (c.value == m_limit) box(QString::fromLatin1(c.boxName))->setFocus(Qt::OtherFocusReason);
}

bool Tgamestart::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    int step = 0;
    if (key == Qt::Key_Down || key == Qt::Key_Right) step = 1;
    if (key == Qt::Key_Up || key == Qt::Key_Left) step = -1;
    const auto& list = choices();
    for (std::size_t i = 0; step != 0 && i < list.size(); ++i) {
        if (watched->objectName() != QLatin1String(list[i].boxName)) continue;
        // The arrows walk the boxes as a radio group does: the box reached is the choice.
        const Choice& next = list[(i + list.size() + step) % list.size()];
        setLimit(next.value);
        box(QString::fromLatin1(next.boxName))->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Tgamestart::boxClicked(int value) {
    setLimit(value);
}

void Tgamestart::button_startClick() {
    emit startRequested(m_limit);
    hide();
}

} // namespace ui
